// The file dialog of a small screen: the folder, the list of its folders and of the
// files that match the chosen type, the name, the type, OK and Cancel, all within a
// 240x320 window and usable with taps (a tap on a folder opens it, a tap on a file
// takes its name, a double tap on a file chooses it). It browses the device root and
// what lies below it. The modal runner shows it instead of the desktop's file dialog
// when the program's window is small.
#pragma once
#include "UiTypes.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class CFileDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;

class CompactFileDialog : public QDialog {
    Q_OBJECT
public:
    CompactFileDialog(const CFileDialog& request, QWidget* parent = nullptr);

    // Whether a window of this size is too small for the desktop's file dialog.
    static bool WantedFor(const QSize& window);

    // The host path of the chosen file after OK.
    const QString& ChosenPath() const { return m_chosen; }

    // For the tests: what the dialog shows.
    QString Folder() const { return m_folder; }
    QStringList Entries() const;
    QListWidget* List() const { return m_list; }
    QLineEdit* NameEdit() const { return m_name; }
    QComboBox* TypeBox() const { return m_type; }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowFolderName();
    void ShowFolder(const QString& folder);
    void OnEntryClicked(QListWidgetItem* item);
    void OnEntryDoubleClicked(QListWidgetItem* item);
    // The patterns of the chosen type ("*.lsr", ...).
    QStringList Patterns() const;

    bool m_open;
    QString m_defaultExtension;
    QStringList m_filters;
    QString m_root;
    QString m_folder;
    QString m_chosen;
    QLabel* m_folderLabel = nullptr;
    QToolButton* m_up = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_type = nullptr;
    bool m_overwritePrompt = false;
};
