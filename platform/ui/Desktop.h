// The desktop services the windows need: opening a document with the program associated
// with it, the screen's colour depth, starting another program.
// Tests replace the instance to see what would have been opened.
#pragma once

#include <QString>
#include <memory>

namespace platform {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens with the associated program; returns false when nothing could open it.
    virtual bool openDocument(const QString& path);
    // The desktop's program for a file type ("application/rtf"), as a desktop file name;
    // "" when it names none. The desktop's "open" starts a helper and reports success
    // before the helper has looked for a program, so callers ask first.
    virtual QString defaultApplication(const QString& mimeType);
    // Bits per pixel of the primary screen.
    virtual int colorDepth();
    // Starts a program detached; returns false when it could not be started.
    virtual bool startProgram(const QString& program);

    static Desktop& instance();
    // Replaces the instance (tests); nullptr restores the real one.
    static void setInstance(std::unique_ptr<Desktop> desktop);
};

} // namespace platform
