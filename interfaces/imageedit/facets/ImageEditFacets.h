// Every facet class the image-edit object embeds.
#pragma once

#include "interfaces/imageedit/facets/clipboard/ZAVImageEditClipboard.h"
#include "interfaces/imageedit/facets/cnv/ZAVImageEditCnv.h"
#include "interfaces/imageedit/facets/draw/ZAVImageEditDraw.h"
#include "interfaces/imageedit/facets/exif/ZAVImageEditExif.h"
#include "interfaces/imageedit/facets/hdr/ZAVImageEditHDR.h"
#include "interfaces/imageedit/facets/histogram/ZAVImageEditHistogram.h"
#include "interfaces/imageedit/facets/icc/ZAVImageEditICC.h"
#include "interfaces/imageedit/facets/color/ZAVImageEditColor.h"
#include "interfaces/imageedit/facets/encode/ZAVImageEditEncode.h"
#include "interfaces/imageedit/facets/filter/ZAVImageEditFilter.h"
#include "interfaces/imageedit/facets/mask/ZAVImageEditMask.h"
#include "interfaces/imageedit/facets/palette/ZAVImageEditPalette.h"
#include "interfaces/imageedit/facets/processing/ZAVImageEditImageProcessing.h"
#include "interfaces/imageedit/facets/settings/ZAVImageEditFileFormatSettings.h"
#include "interfaces/imageedit/facets/shadow/ZAVImageEditShadow.h"
