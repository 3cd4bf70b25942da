// Hook through which an application's option set loads itself from and saves itself
// to the application's registry store. The base versions do nothing.
#pragma once

class AppRegistry;

class AppOptions {
public:
    virtual ~AppOptions();
    virtual bool Load(AppRegistry& registry);
    virtual bool Save(AppRegistry& registry);
};
