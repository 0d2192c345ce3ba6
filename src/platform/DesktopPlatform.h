#pragma once

#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/Printing.h"
#include "platform/QtCamera.h"
#include "platform/QtLockWait.h"
#include "platform/ShellOpener.h"

// The real platform layers of the running program, and the context that hands them to the screens.
class DesktopPlatform {
public:
    explicit DesktopPlatform(const QString& programFolder)
    {
        context.programFolder = programFolder;
        context.messages = &m_messages;
        context.fileDialogs = &m_fileDialogs;
        context.shell = &m_shell;
        context.modal = &m_modal;
        context.camera = &m_camera;
        context.printing = &m_printing;
        // Archive locks are taken on a worker thread while the screen waits here.
        LockWait::install(&m_lockWait);
    }
    ~DesktopPlatform() { LockWait::install(nullptr); }
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;

    AppContext context;

private:
    QtMessageBoxes m_messages;
    QtFileDialogs m_fileDialogs;
    DesktopShellOpener m_shell;
    ExecModalRunner m_modal;
    QtCamera m_camera;
    QtPrinting m_printing;
    QtLockWait m_lockWait;
};
