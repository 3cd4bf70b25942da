#include "CompactFileDialog.h"

#include "CFileDialog.h"
#include "DevicePath.h"
#include "ModalRunner.h"
#include "QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {
// Below this the desktop's file dialog does not fit.
constexpr int kSmallWidth = 400;
constexpr int kSmallHeight = 400;
constexpr int kFolderRole = Qt::UserRole + 1;
}  // namespace

bool CompactFileDialog::WantedFor(const QSize& window) {
    return window.width() < kSmallWidth || window.height() < kSmallHeight;
}

CompactFileDialog::CompactFileDialog(const CFileDialog& request, QWidget* parent)
    : QDialog(parent),
      m_open(request.IsOpenDialog() != FALSE),
      m_defaultExtension(ToQString(request.GetDefaultExtension())),
      m_filters(request.GetQtNameFilters()),
      m_root(QDir::cleanPath(QString::fromStdString(DevicePath::Root()))),
      m_overwritePrompt(!request.IsOpenDialog() && (request.GetFlags() & OFN_OVERWRITEPROMPT) != 0) {
    setWindowTitle(m_open ? tr("Open") : tr("Save As"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    auto* folderRow = new QHBoxLayout;
    m_up = new QToolButton(this);
    m_up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    m_up->setToolTip(tr("Up one folder"));
    m_folderLabel = new QLabel(this);
    m_folderLabel->setMinimumWidth(1);
    folderRow->addWidget(m_up);
    folderRow->addWidget(m_folderLabel, 1);
    layout->addLayout(folderRow);

    m_list = new QListWidget(this);
    m_list->setUniformItemSizes(true);
    layout->addWidget(m_list, 1);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("Name:"), this), 0, 0);
    m_name = new QLineEdit(this);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel(tr("Type:"), this), 1, 0);
    m_type = new QComboBox(this);
    m_type->addItems(m_filters.isEmpty() ? QStringList{tr("All files (*)")} : m_filters);
    m_type->setMinimumContentsLength(8);
    m_type->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fields->addWidget(m_type, 1, 1);
    fields->setColumnStretch(1, 1);
    layout->addLayout(fields);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CompactFileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CompactFileDialog::reject);
    connect(m_up, &QToolButton::clicked, this, [this] { ShowFolder(QFileInfo(m_folder).path()); });
    connect(m_list, &QListWidget::itemClicked, this, &CompactFileDialog::OnEntryClicked);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CompactFileDialog::OnEntryDoubleClicked);
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { ShowFolder(m_folder); });

    // Lists live in the device's documents folder; a name given with its folder opens
    // there.
    QString folder = m_root + QStringLiteral("/My Documents");
    const QString initial = ToQString(request.GetInitialFileName());
    if (!initial.isEmpty()) {
        const QFileInfo given(QString::fromStdString(DevicePath::ToHost(ToU16String(initial))));
        m_name->setText(given.fileName());
        if (initial.contains(QLatin1Char('/')) || initial.contains(QLatin1Char('\\')))
            folder = given.path();
    }
    if (!QFileInfo(folder).isDir())
        folder = m_root;
    ShowFolder(folder);
}

QStringList CompactFileDialog::Patterns() const {
    const QString filter = m_type->currentText();
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(filter);
    QStringList patterns = match.hasMatch() ? match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)
                                            : QStringList{};
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return patterns;
}

void CompactFileDialog::ShowFolder(const QString& folder) {
    QString clean = QDir::cleanPath(folder);
    // The device's files only: nothing above its root.
    if (!(clean == m_root || clean.startsWith(m_root + QLatin1Char('/'))) || !QFileInfo(clean).isDir())
        clean = m_root;
    m_folder = clean;
    ShowFolderName();
    m_up->setEnabled(clean != m_root);

    m_list->clear();
    const QDir dir(clean);
    const QDir::Filters visible = QDir::NoDotAndDotDot | QDir::Readable;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | visible, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), entry.fileName(), m_list);
        item->setData(kFolderRole, entry.absoluteFilePath());
    }
    for (const QFileInfo& entry : dir.entryInfoList(Patterns(), QDir::Files | visible, QDir::Name | QDir::IgnoreCase))
        new QListWidgetItem(style()->standardIcon(QStyle::SP_FileIcon), entry.fileName(), m_list);
}

void CompactFileDialog::ShowFolderName() {
    // The device's own form of the path; its end is what tells folders apart.
    const QString shown = m_folder == m_root
                              ? QStringLiteral("\\")
                              : QStringLiteral("\\") + QDir(m_root).relativeFilePath(m_folder).replace(QLatin1Char('/'), QLatin1Char('\\'));
    m_folderLabel->setText(m_folderLabel->fontMetrics().elidedText(shown, Qt::ElideLeft, std::max(1, m_folderLabel->width())));
    m_folderLabel->setToolTip(shown);
}

void CompactFileDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ShowFolderName();
}

QStringList CompactFileDialog::Entries() const {
    QStringList entries;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        entries << (item->data(kFolderRole).isValid() ? item->text() + QLatin1Char('/') : item->text());
    }
    return entries;
}

void CompactFileDialog::OnEntryClicked(QListWidgetItem* item) {
    const QVariant folder = item->data(kFolderRole);
    if (folder.isValid())
        ShowFolder(folder.toString());
    else
        m_name->setText(item->text());
}

void CompactFileDialog::OnEntryDoubleClicked(QListWidgetItem* item) {
    if (item->data(kFolderRole).isValid())
        return;
    m_name->setText(item->text());
    accept();
}

void CompactFileDialog::accept() {
    QString name = m_name->text().trimmed();
    if (name.isEmpty())
        return;
    QString path = QDir(m_folder).absoluteFilePath(name);
    if (QFileInfo(path).isDir()) {
        ShowFolder(path);
        m_name->clear();
        return;
    }
    if (!m_defaultExtension.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + m_defaultExtension;
    const bool exists = QFileInfo::exists(path);
    if (m_open && !exists) {
        ModalRunner::Current().MessageBox(this, ToCString(name + tr("\nFile not found.\nCheck the file name and try again.")),
                                          ModalRunner::DefaultCaption(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!m_open && exists && m_overwritePrompt && !CFileDialog::ConfirmReplace(ToCString(path)))
        return;
    m_chosen = path;
    QDialog::accept();
}
