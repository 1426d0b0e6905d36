// The shadow effect's images as image-edit objects: the effect's work
// images are new image-edit objects, and the pictures a caller gives are
// wrapped as they are.
#pragma once

#include "foundation/objects/ZAVPtr.h"
#include "image/shadow/ShadowImage.h"

namespace ZAV {

class IZAVImageEditSp;

// Makes the shadow effect's work images image-edit objects.
void UseImageEditShadowImages();

// A holder that keeps one reference of the picture. The image-edit object
// that owns the effect is wrapped borrowed instead: a reference of its own
// would keep it alive through its own cached effect.
ShadowImagePtr HeldShadowImage(IZAVImageEditSp* picture);
ShadowImagePtr BorrowedShadowImage(IZAVImageEditSp* picture);

// The picture behind an image the effect hands out, with a new reference.
CZAVPtr<IZAVImageEditSp> PictureOfShadowImage(const ShadowImagePtr& image);

}  // namespace ZAV
