// Listora's entry point: the application object runs start-up and the event loop.
#include "Listora.h"
#include "ScreenFonts.h"

int main(int argc, char** argv) {
    // Beside the start of Qt and of the application.
    ScreenFonts::PrepareInBackground();
    CListoraApp app;
    app.m_exitOnTerminationSignals = true;
    return AfxWinMain(argc, argv);
}
