// Listora's entry point: the application object runs start-up and the event loop.
#include "Listora.h"

int main(int argc, char** argv) {
    CListoraApp app;
    app.m_exitOnTerminationSignals = true;
    return AfxWinMain(argc, argv);
}
