#pragma once
// The single-instance mark: an advisory lock on a file named after the program in the user's
// runtime folder, held for the life of the process. The kernel drops it when the process ends,
// so a crashed instance never blocks the next start.

#include <QString>

#include <cstdint>

namespace tessaly {

class TInstanceLock {
public:
    TInstanceLock() = default;
    ~TInstanceLock() { Release(); }
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    // The lock's name for a program path: "SK_" + the file name, backslashes as underscores.
    static QString NameFor(const QString& programPath);

    // True when another process holds the lock of this name.
    static bool IsHeldElsewhere(const QString& name);

    enum class TResult { Acquired, HeldElsewhere, Failed };
    // Takes the lock. HeldElsewhere only when another process holds it; Failed when the lock
    // file cannot be opened or locked for another reason, told in *why.
    TResult TryAcquire(const QString& name, QString* why = nullptr);
    // Takes the lock; false when another process holds it or the file cannot be made.
    bool Acquire(const QString& name) { return TryAcquire(name) == TResult::Acquired; }
    void Release();
    // Writes the holder's message window into the held lock's file, so that a later start
    // can reach this instance without a host server. False when no lock is held or the
    // file cannot be written.
    bool RecordOwner(std::uint32_t window);
    // The message window that the holder of the lock of this name recorded; 0 when none.
    static std::uint32_t OwnerOf(const QString& name);
    bool IsHeld() const { return FFd >= 0; }
    // A small non-zero number that stands for the held lock (0 when none).
    int Handle() const { return FFd >= 0 ? FFd + 1 : 0; }

private:
    static QString PathFor(const QString& name);
    int FFd = -1;
};

} // namespace tessaly
