#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace app {

// Refuses a second running program: the first one holds a lock file in the program's writable folder
// for its whole life. A lock left by a program that crashed is taken over (its process is gone).
class SingleInstance
{
public:
    // True when this process now holds the lock; false when another running program holds it.
    bool Acquire();
    bool Held() const { return m_lock && m_lock->isLocked(); }

    // "すでにケルヴォル を起動していますので、\n新たに起動することはできません。"
    static QString RefusedText();

private:
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace app
