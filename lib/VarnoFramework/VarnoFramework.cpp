// The framework library's version, for programs that want to show it.
extern "C" const char* VarnoFrameworkVersion() { return "1.6.1"; }
