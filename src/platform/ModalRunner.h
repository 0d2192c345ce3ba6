#pragma once

class QDialog;

// Shows a secondary screen modally and returns when it has closed.
class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int run(QDialog& screen) = 0;
};

class ExecModalRunner final : public ModalRunner {
public:
    int run(QDialog& screen) override;
};
