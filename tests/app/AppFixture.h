// Runs the application's start-up headless on a fresh device root (with a copy of the
// shipped default items file); each test ends with the program's shutdown.
#pragma once
#include "DocTestSupport.h"

#include "Listora.h"
#include "MainFrm.h"

#include <memory>
#include <string>
#include <vector>

namespace apptest {

using ::LogText;  // from TestRoot.h

class AppFixture : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        TheRegistry().SetDefaultItemsFile(U16(Root().starterCatalogue()).c_str());
    }
    void TearDown() override {
        Stop();
        TheRegistry().FinishSavingItems();
        TheRegistry().close();  // a test may have opened it without the program
        TheRegistry().SetDefaultItemsFile(nullptr);
        UiTest::TearDown();
    }

    // arguments: the command line after the program's name.
    bool Start(std::vector<std::u16string> arguments = {}) {
        Stop();
        m_app = std::make_unique<CListoraApp>();
        m_app->SetCommandLineArguments(std::move(arguments));
        m_app->m_findWindowAttempts = 2;
        m_app->m_findWindowPauseMs = 1;
        return m_app->InitInstance() != FALSE;
    }
    // As the program ends after its event loop.
    void Stop() {
        if (!m_app)
            return;
        m_app->ExitInstance();
        m_app->CloseAllDocuments();
        m_app.reset();
        TheRegistry().close();
    }

    CListoraApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->GetMainFrame(); }
    CListoraDoc& Doc() { return *m_app->GetDocument(); }
    std::string NewList() const { return Root().file("My Documents/New.lsr"); }

    std::unique_ptr<CListoraApp> m_app;
};

// The fixture with the program started.
class StartedApp : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
};

}  // namespace apptest
