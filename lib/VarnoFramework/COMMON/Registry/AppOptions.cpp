#include "Registry/AppOptions.h"

AppOptions::~AppOptions() = default;

bool AppOptions::Load(AppRegistry&) { return false; }

bool AppOptions::Save(AppRegistry&) { return false; }
