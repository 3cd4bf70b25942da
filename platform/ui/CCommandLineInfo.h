// What the command line asks for: a new document, or a file to open.
#pragma once
#include "UiTypes.h"

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    virtual ~CCommandLineInfo() = default;
    // One argument of the command line; flags start with '-' or '/' followed by a
    // letter (a host path such as /home/... is not a flag).
    virtual void ParseParam(const WCHAR* param, BOOL isFlag, BOOL isLast);

    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
};
