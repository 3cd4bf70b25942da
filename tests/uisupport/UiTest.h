// Helpers of the user-interface tests: the Qt application on the offscreen
// platform, a fixture with a fresh device root and the scripted modal runner, and
// input that reaches widgets as the user's would.
#pragma once
#include "ScriptedModalRunner.h"
#include "TestRoot.h"
#include "UiTypes.h"

#include <QImage>
#include <QPoint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

class QApplication;
class QWidget;
class CDialog;
class CFrameWnd;

// The one QApplication of the test program, created on first use (offscreen
// unless QT_QPA_PLATFORM says otherwise), with the test resources registered.
QApplication* EnsureQApplication();

// Delivers pending events, including deferred deletions and posted messages.
void ProcessEvents();
// Keeps the event loop running for about ms milliseconds (timers fire).
void WaitMs(int ms);

// The widget as it shows on screen.
QImage RenderWidget(QWidget* widget);
// Left press and release at a point of the widget (not (0, 0): Qt Test takes a null
// point for the widget's centre, so the harness refuses it).
void Tap(QWidget* widget, QPoint point);
// Two taps in quick succession: the second press arrives as a double click.
void DoubleTap(QWidget* widget, QPoint point);
// Right press and release.
void RightClick(QWidget* widget, QPoint point);
// A press held still past the gesture delay, then released.
void TapAndHold(QWidget* widget, QPoint point);
// A left press at from, a move to to, a pause of holdMs and the release there.
void Drag(QWidget* widget, QPoint from, QPoint to, int holdMs = 0);
// Each character as a key press with that text ("\b" and "\r" as the
// backspace and return keys).
void TypeText(QWidget* widget, const QString& text);

// Opens the frame's menus along the texts (running their update handlers) and
// chooses the last one. False when an entry is missing or disabled.
bool ChooseMenuCommand(CFrameWnd& frame, std::initializer_list<const char16_t*> path);
// Refreshes the tool buttons and presses the one with the command id. False when
// there is no such button or it is disabled.
bool ClickToolButton(CFrameWnd& frame, UINT id);

// Dialog controls, reached by id.
void PressButton(CDialog& dialog, int id);
inline void PressOK(CDialog& dialog) { PressButton(dialog, IDOK); }
inline void PressCancel(CDialog& dialog) { PressButton(dialog, IDCANCEL); }
void SetControlText(CDialog& dialog, int id, const QString& text);
void SetControlCheck(CDialog& dialog, int id, bool checked);

// Checks that an open dialog fits the handheld's 240 x 320 screen and a desktop
// window: a dialog that can grow is sized to each in turn (one of fixed size keeps
// it); it must not be larger than the screen, and every shown control must lie
// inside it (in a dialog that scrolls: on its canvas, beside the shown bar). With
// LISTORA_RENDER_DIR set, saves both looks there as <name>-240x320.png and
// <name>-desktop.png (a scrolling one also as <look>-end.png), for a person to look at.
void CheckDialogFitsScreens(CDialog& dialog, const std::string& name);

// Readable test output for text.
void PrintTo(const CString& text, std::ostream* out);

// A fixture: a fresh device root and the scripted runner installed for each test;
// at the end every scripted prompt must have come.
class UiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureQApplication(); }
    void SetUp() override;
    void TearDown() override;

    ScriptedModalRunner& Script() { return m_script; }
    const TestRoot& Root() const { return *m_root; }

private:
    std::unique_ptr<TestRoot> m_root;
    ScriptedModalRunner m_script;
    std::optional<ScopedModalRunner> m_installed;
};
