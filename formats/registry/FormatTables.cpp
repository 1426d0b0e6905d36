#include "formats/registry/FormatTables.h"

namespace ZAV {

const FormatTableRow kBuiltInFormats[] = {
    {1, ";BMP;", 2, 2},   {9, ";CUR;", 2, 0},       {17, ";DCX;", 2, 2},     {18, ";FAX;", 2, 2},
    {15, ";GIF;", 2, 2},  {8, ";ICO;", 2, 0},       {4, ";JPEG;JPG;", 2, 2}, {12, ";PBM;", 2, 2},
    {3, ";PCX;", 2, 2},   {11, ";PDF;", 0, 2},      {13, ";PGM;", 2, 2},     {6, ";PNG;", 2, 2},
    {14, ";PPM;", 2, 2},  {10, ";PSD;", 2, 2},      {7, ";TGA;", 2, 2},      {5, ";TIF;TIFF;", 2, 2},
    {16, ";WBMP;", 2, 2}, {92, ";PICT;PCT;", 2, 0}, {93, ";WMF;EMF;", 2, 2}, {94, ";JBIG;JBG;BIE;", 2, 2},
};
const size_t kBuiltInFormatCount = sizeof(kBuiltInFormats) / sizeof(kBuiltInFormats[0]);

// Rows for ids already registered only change modes: PDF gains plug-in
// loading, PICT plug-in saving, and the second row of 89 adds nothing but
// its save mode.
const FormatTableRow kMagickFormats[] = {
    {11, ";PDF;", 3, 0},   {19, ";ART;", 3, 0},     {20, ";AVI;", 3, 0},          {21, ";AVS;", 3, 3},
    {22, ";CGM;", 3, 0},   {23, ";CIN;", 3, 3},     {24, ";CMYK;CMYKA;", 3, 3},   {25, ";CUT;", 3, 0},
    {26, ";DCM;", 3, 0},   {2, ";DIB;", 3, 3},      {27, ";DPX;", 3, 3},          {28, ";EMF;", 3, 0},
    {29, ";EPDF;", 3, 3},  {30, ";EPI;", 3, 3},     {31, ";EPS;", 3, 3},          {32, ";EPS2;", 0, 3},
    {33, ";EPS3;", 0, 3},  {34, ";EPSF;", 3, 3},    {35, ";EPSI;", 3, 3},         {36, ";EPT;EPT3;", 3, 3},
    {37, ";FIG;", 3, 0},   {38, ";FITS;", 3, 3},    {39, ";FPX;", 3, 3},          {40, ";GPLT;", 3, 0},
    {41, ";GRAY;", 3, 3},  {42, ";HPGL;", 3, 0},    {45, ";JNG;", 3, 3},          {47, ";MAT;", 3, 0},
    {48, ";MONO;", 3, 3},  {49, ";MNG;", 3, 3},     {50, ";MPEG;MPG;M2V;", 3, 3}, {51, ";M2V;", 3, 3},
    {52, ";MTV;", 3, 3},   {53, ";OTB;", 3, 3},     {54, ";P7;", 3, 3},           {55, ";PALM;", 3, 3},
    {56, ";PCD;", 3, 3},   {57, ";PCDS;", 3, 3},    {58, ";PCL;", 0, 3},          {59, ";PDB;", 3, 3},
    {60, ";PFA;", 3, 0},   {61, ";PFB;", 3, 0},     {62, ";PICON;", 3, 3},        {92, ";PICT;PCT;", 0, 3},
    {64, ";PIX;", 3, 0},   {65, ";PS;", 3, 3},      {66, ";PS2;", 3, 3},          {67, ";PS3;", 3, 3},
    {68, ";PTIF;", 3, 3},  {69, ";PWP;", 3, 0},     {70, ";RAD;", 3, 0},          {71, ";RGB;", 3, 3},
    {72, ";RGBA;", 3, 3},  {73, ";RLA;", 3, 0},     {74, ";RLE;", 3, 0},          {75, ";SCT;", 3, 0},
    {76, ";SFW;", 3, 0},   {77, ";SGI;", 3, 3},     {78, ";SUN;RAS;", 3, 3},      {79, ";SVG;", 3, 3},
    {80, ";TIM;", 3, 0},   {81, ";TTF;", 3, 0},     {82, ";UIL;", 0, 3},          {83, ";UYVY;", 3, 3},
    {84, ";VICAR;", 3, 3}, {85, ";VIFF;XV;", 3, 3}, {87, ";WPG;", 3, 0},          {88, ";XBM;", 3, 3},
    {89, ";XCF;", 3, 0},   {89, ";XPM;PM;", 3, 3},  {90, ";XWD;", 3, 3},          {91, ";YUV;", 3, 3},
};
const size_t kMagickFormatCount = sizeof(kMagickFormats) / sizeof(kMagickFormats[0]);

}  // namespace ZAV
