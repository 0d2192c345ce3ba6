#pragma once

class MessageBoxes;
class QWidget;

// Asked first by every command that saves, adds or deletes: while the archives are read-only
// (a shared folder mounted unsafely) it says why and how to remount, and the command does nothing.
namespace ReadOnlyRefusal {
// True when the command must stop; the message has then been shown.
bool refused(MessageBoxes& messages, QWidget* owner);
} // namespace ReadOnlyRefusal
