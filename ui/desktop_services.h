#pragma once
// The real Dialogs and Shell of the program.

#include "ui/environment.h"

namespace velora::ui {

class MessageBoxDialogs final : public Dialogs {
public:
    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
};

// For runs without a person at the screen (the simulator demo's scripted checks,
// end-to-end tests): every box is written to stderr and answered OK at once.
class StderrDialogs final : public Dialogs {
public:
    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
};

class DesktopShell final : public Shell {
public:
    void open(const QString& address) override;
};

class StderrShell final : public Shell {
public:
    void open(const QString& address) override;
};

}  // namespace velora::ui
