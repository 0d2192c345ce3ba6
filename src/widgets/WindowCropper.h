#pragma once

#include "platform/PhotoCropper.h"

struct AppContext;

// The crop window shown through the context's modal runner.
class WindowCropper final : public PhotoCropper {
public:
    explicit WindowCropper(AppContext& context)
        : m_context(context)
    {
    }
    std::optional<QRect> choose(QWidget* owner, const CropRequest& request) override;

private:
    AppContext& m_context;
};
