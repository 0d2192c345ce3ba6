#include "widgets/CropStep.h"

#include "photos/FaceFinder.h"
#include "photos/PhotoCrop.h"
#include "platform/AppContext.h"
#include "storage/FotoGruppo.h"

namespace {

std::optional<QRect> chosenFrame(const AppContext& context, QWidget* owner, const CropRequest& request)
{
    if (!context.cropper)
        return request.suggested;
    return context.cropper->choose(owner, request);
}

} // namespace

CropRequest CropStep::request(const QImage& picture, QSize shape, QSize target)
{
    CropRequest result;
    result.picture = picture;
    result.reduced = FaceFinder::reducedCopy(picture);
    result.shape = shape;
    result.target = target;
    const double scale = result.reduced.isNull() ? 1.0 : double(picture.width()) / result.reduced.width();
    const PhotoCrop::Suggestion suggestion = PhotoCrop::suggest(result.reduced, scale, picture.size(), shape);
    result.suggested = suggestion.frame;
    result.faceFound = suggestion.faceFound;
    return result;
}

std::optional<QImage> CropStep::cardPhoto(const AppContext& context, QWidget* owner, const QImage& picture)
{
    if (picture.isNull())
        return std::nullopt;
    const std::optional<QRect> frame =
        chosenFrame(context, owner, request(picture, QSize(3, 4), PhotoCrop::kCardMinimum));
    if (!frame)
        return std::nullopt;
    return PhotoCrop::cropped(picture, *frame, PhotoCrop::cardSize(frame->size()));
}

std::optional<QImage> CropStep::slotPhoto(const AppContext& context, QWidget* owner, const QImage& picture)
{
    if (picture.isNull())
        return std::nullopt;
    const QSize target(FotoGruppo::kWidth, FotoGruppo::kHeight);
    const std::optional<QRect> frame = chosenFrame(context, owner, request(picture, target, target));
    if (!frame)
        return std::nullopt;
    return PhotoCrop::cropped(picture, *frame, target);
}
