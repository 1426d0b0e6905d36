// Every facet class the image-edit object embeds.
#pragma once

#include "interfaces/imageedit/facets/OtherFacets.h"
#include "interfaces/imageedit/facets/color/ZAVImageEditColor.h"
#include "interfaces/imageedit/facets/encode/ZAVImageEditEncode.h"
#include "interfaces/imageedit/facets/mask/ZAVImageEditMask.h"
#include "interfaces/imageedit/facets/palette/ZAVImageEditPalette.h"
#include "interfaces/imageedit/facets/settings/ZAVImageEditFileFormatSettings.h"
#include "interfaces/imageedit/facets/shadow/ZAVImageEditShadow.h"
