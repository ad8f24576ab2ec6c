#pragma once

#include <QString>

// Whatever executes the named commands that buttons send (the 3D view).
// A button calls it with every name it has to send, empty ones included;
// the owner ignores names it does not know. The result is not looked at.
class ICommandOwner {
public:
    virtual bool ExecuteCommand(const QString& name) = 0;

protected:
    ~ICommandOwner() = default;
};
