#include "widgets/CropStep.h"

#include "photos/FaceFinder.h"
#include "photos/PhotoCrop.h"
#include "platform/AppContext.h"
#include "storage/FotoGruppo.h"
#include "widgets/PhotoBox.h"

#include <cmath>

namespace {

std::optional<QRect> chosenFrame(const AppContext& context, QWidget* owner, const CropRequest& request)
{
    if (!context.cropper)
        return request.suggested;
    return context.cropper->choose(owner, request);
}

} // namespace

CropRequest CropStep::request(const QImage& picture, QSize shape, QSize target,
                              const std::optional<QRect>& start)
{
    CropRequest result;
    result.picture = picture;
    result.reduced = FaceFinder::reducedCopy(picture);
    result.shape = shape;
    result.target = target;
    if (start && !start->isEmpty()) {
        result.suggested = PhotoCrop::clampedFrame(*start, picture.size(), shape);
        result.lastCrop = true;
        return result;
    }
    const double scale = result.reduced.isNull() ? 1.0 : double(picture.width()) / result.reduced.width();
    const PhotoCrop::Suggestion suggestion = PhotoCrop::suggest(result.reduced, scale, picture.size(), shape);
    result.suggested = suggestion.frame;
    result.faceFound = suggestion.faceFound;
    return result;
}

std::optional<CropStep::Cut> CropStep::cardCut(const AppContext& context, QWidget* owner, const QImage& whole,
                                               const std::optional<QRect>& start)
{
    if (whole.isNull())
        return std::nullopt;
    const std::optional<QRect> frame =
        chosenFrame(context, owner, request(whole, QSize(3, 4), PhotoCrop::kCardMinimum, start));
    if (!frame)
        return std::nullopt;
    return Cut{PhotoCrop::cropped(whole, *frame, PhotoCrop::cardSize(frame->size())), *frame};
}

std::optional<CropStep::Cut> CropStep::slotCut(const AppContext& context, QWidget* owner, const QImage& whole,
                                               const std::optional<QRect>& start)
{
    if (whole.isNull())
        return std::nullopt;
    const QSize target(FotoGruppo::kWidth, FotoGruppo::kHeight);
    const std::optional<QRect> frame = chosenFrame(context, owner, request(whole, target, target, start));
    if (!frame)
        return std::nullopt;
    return Cut{PhotoCrop::cropped(whole, *frame, target), *frame};
}

std::optional<QImage> CropStep::cardPhoto(const AppContext& context, QWidget* owner, const QImage& picture)
{
    if (const std::optional<Cut> cut = cardCut(context, owner, picture))
        return cut->picture;
    return std::nullopt;
}

std::optional<QImage> CropStep::slotPhoto(const AppContext& context, QWidget* owner, const QImage& picture)
{
    if (const std::optional<Cut> cut = slotCut(context, owner, picture))
        return cut->picture;
    return std::nullopt;
}

std::optional<QRect> CropStep::lastCrop(const PhotoBox& box, QSize shape)
{
    if (!box.lastFrame().isEmpty())
        return box.lastFrame();
    const QImage& whole = box.whole();
    if (whole.isNull() || shape.isEmpty())
        return std::nullopt;
    const double aspect = double(whole.width()) * shape.height() / (double(whole.height()) * shape.width());
    if (std::abs(aspect - 1.0) > 0.01)
        return std::nullopt;
    return PhotoCrop::clampedFrame(whole.rect(), whole.size(), shape);
}
