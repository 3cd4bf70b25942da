// Version texts shown in the log banner and the About box.
extern const char16_t* const kListoraVersion = u"Version 1.6.1";
