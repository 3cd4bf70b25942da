#include "UiTest.h"

#include "CFileDialog.h"
#include "CompactFileDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

namespace {

constexpr const char16_t* kFilter = u"Listora files (*.lsr)|*.lsr|All Files (*.*)|*.*||";

class CompactFileDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        std::filesystem::create_directories(Root().file("My Documents/Old"));
        for (const char* name : {"b.lsr", "a.lsr", "notes.txt", ".a.lsr.tmp"})
            WriteHostFile(Root().file(std::string("My Documents/") + name), "x");
    }
    // Taps the entry with this text.
    static void TapEntry(CompactFileDialog& dialog, const QString& text) {
        QListWidget* list = dialog.List();
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->scrollToItem(found[0]);
        Tap(list->viewport(), list->visualItemRect(found[0]).center());
    }
};

TEST_F(CompactFileDialogTest, FitsTheSmallScreenAndWorksWithTaps) {
    EXPECT_TRUE(CompactFileDialog::WantedFor(QSize(240, 320)));
    EXPECT_FALSE(CompactFileDialog::WantedFor(QSize(800, 600)));

    CFileDialog request(TRUE, u"lsr", nullptr, OFN_HIDEREADONLY, kFilter);
    CompactFileDialog dialog(request);
    dialog.resize(240, 320);
    dialog.show();
    ProcessEvents();
    ASSERT_EQ(dialog.size(), QSize(240, 320));
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != &dialog)
            continue;
        EXPECT_TRUE(dialog.rect().contains(child->geometry())) << child->metaObject()->className();
    }

    EXPECT_EQ(dialog.Entries(), (QStringList{"Old/", "a.lsr", "b.lsr"}));
    TapEntry(dialog, "b.lsr");
    EXPECT_EQ(dialog.NameEdit()->text(), "b.lsr");
    dialog.TypeBox()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.Entries().contains("notes.txt"));
    TapEntry(dialog, "Old");
    EXPECT_TRUE(dialog.Folder().endsWith("/My Documents/Old"));
    EXPECT_TRUE(dialog.Entries().isEmpty());

    // A missing file is named, and the dialog stays.
    dialog.NameEdit()->setText("gone");
    Script().ExpectMessageBox(u"gone\nFile not found.\nCheck the file name and try again.", IDOK);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CompactFileDialogTest, ASaveAsksBeforeItReplacesAFile) {
    CFileDialog request(FALSE, u"lsr", u"a", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kFilter);
    CompactFileDialog dialog(request);
    EXPECT_EQ(dialog.NameEdit()->text(), "a");
    const char16_t* question = u"a.lsr already exists.\nDo you want to replace it?";
    Script().ExpectMessageBox(question, IDNO).ExpectMessageBox(question, IDYES);
    dialog.accept();
    EXPECT_TRUE(dialog.ChosenPath().isEmpty());
    dialog.accept();
    EXPECT_EQ(dialog.ChosenPath().toStdString(), Root().file("My Documents/a.lsr"));
}

}  // namespace
