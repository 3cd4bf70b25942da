#include "CWaitCursor.h"
#include "CWinApp.h"
#include "QtText.h"
#include "Resources.h"
#include "StringTable.h"
#include "UiTest.h"

#include <QCursor>
#include <QGuiApplication>

class ResourcesTest : public UiTest {
protected:
    void TearDown() override {
        StringTable::Clear();
        UiTest::TearDown();
    }
};

TEST_F(ResourcesTest, StringTableAndResources) {
    StringTable::Register({{62216, u"Remove '%s'?"}});
    EXPECT_EQ(LoadString(62216), CString(u"Remove '%s'?"));
    EXPECT_TRUE(LoadString(1).IsEmpty());

    EXPECT_EQ(Resources::PathOf(204, "JPG"), QStringLiteral(":/res/204.jpg"));
    const QIcon icon = Resources::LoadIcon(9001);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(255, 0, 0));
    EXPECT_EQ(Resources::LoadBitmap(9002).size(), QSize(32, 15));
    EXPECT_TRUE(Resources::LoadIcon(9999).isNull());
    EXPECT_TRUE(Resources::LoadData(9999, "JPG").isEmpty());

    // Text keeps every UTF-16 unit both ways, surrogate pairs included.
    const CString text(u"Äpfel \U0001F34E");
    EXPECT_EQ(ToCString(ToQString(text)), text);
    EXPECT_EQ(ToQString(text).size(), 8);
}

TEST_F(ResourcesTest, WaitCursorNestsAndIgnoresUnbalancedEnds) {
    EXPECT_EQ(CWaitCursor::Depth(), 0);
    {
        CWaitCursor outer;
        CWaitCursor::Begin();
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        CWaitCursor::End();
        EXPECT_EQ(CWaitCursor::Depth(), 1);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    CWaitCursor::End();  // one too many: nothing to undo
    EXPECT_EQ(CWaitCursor::Depth(), 0);
}
