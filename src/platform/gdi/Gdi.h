// Drawing: device contexts, bitmaps, pens, brushes, fonts, text, regions and
// system colours, with the classic names and numbers.
//
// Every handle is looked up in a table; a handle that is null, deleted or of
// the wrong kind is refused with the classic failure result (0, FALSE or a
// null handle) and nothing is drawn. Coordinates far outside a surface are
// clipped, never dereferenced. Text at this interface is 8-bit Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/Types.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

namespace platform {

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// ---------------------------------------------------------------- objects

// GetStockObject
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;
constexpr int DC_BRUSH = 18;
constexpr int DC_PEN = 19;

// GetObjectType
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;

// Pen styles
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Brush styles
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;

struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth{1, 0};  // only x counts
  COLORREF lopnColor = 0;
};

struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  std::uintptr_t lbHatch = 0;
};

// Bitmaps. Only 32 bits per pixel, uncompressed, are created; a negative
// height means rows run top-down (the usual case here).
constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 32;
  DWORD biCompression = BI_RGB;
  DWORD biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  DWORD bmiColors[1] = {0};
};

struct BITMAP {
  std::int32_t bmType = 0;
  std::int32_t bmWidth = 0;
  std::int32_t bmHeight = 0;
  std::int32_t bmWidthBytes = 0;
  std::uint16_t bmPlanes = 1;
  std::uint16_t bmBitsPixel = 32;
  void* bmBits = nullptr;  // the pixels of a DIB section, null otherwise
};

// Fonts
constexpr int LF_FACESIZE = 32;
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr std::uint8_t ANSI_CHARSET = 0;
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t DEFAULT_QUALITY = 0;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;
constexpr std::uint8_t ANTIALIASED_QUALITY = 4;
constexpr std::uint8_t DEFAULT_PITCH = 0;
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;
constexpr std::uint8_t FF_DONTCARE = 0x00;
constexpr std::uint8_t FF_ROMAN = 0x10;
constexpr std::uint8_t FF_SWISS = 0x20;
constexpr std::uint8_t FF_MODERN = 0x30;

// lfHeight < 0: character height in pixels (96 per inch); > 0: cell height
// (ascent + descent); 0: a default size. Text is always drawn horizontally:
// escapement and orientation are kept but not applied.
struct LOGFONT {
  std::int32_t lfHeight = 0;
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = FW_NORMAL;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = DEFAULT_CHARSET;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = DEFAULT_QUALITY;
  std::uint8_t lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {0};
};

struct TEXTMETRIC {
  std::int32_t tmHeight = 0;
  std::int32_t tmAscent = 0;
  std::int32_t tmDescent = 0;
  std::int32_t tmInternalLeading = 0;
  std::int32_t tmExternalLeading = 0;
  std::int32_t tmAveCharWidth = 0;
  std::int32_t tmMaxCharWidth = 0;
  std::int32_t tmWeight = 0;
  std::int32_t tmOverhang = 0;
  std::int32_t tmDigitizedAspectX = 96;
  std::int32_t tmDigitizedAspectY = 96;
  std::uint8_t tmFirstChar = 0x20;
  std::uint8_t tmLastChar = 0xFF;
  std::uint8_t tmDefaultChar = 0x1F;
  std::uint8_t tmBreakChar = 0x20;
  std::uint8_t tmItalic = 0;
  std::uint8_t tmUnderlined = 0;
  std::uint8_t tmStruckOut = 0;
  std::uint8_t tmPitchAndFamily = 0;
  std::uint8_t tmCharSet = ANSI_CHARSET;
};

HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ obj);
// Drawing objects alive now: device contexts, regions, bitmaps, fonts, pens
// and brushes, the stock ones included. A leak shows as a count that grows.
int GdiObjectCount();              // FALSE for a bitmap still selected into a context
DWORD GetObjectType(HGDIOBJ obj);  // 0 when invalid
int GetObject(HGDIOBJ obj, int size, void* out);  // BITMAP, LOGPEN, LOGBRUSH, LOGFONT
HGDIOBJ GetCurrentObject(HDC dc, DWORD type);

// Returns the previous object of that kind, or null on failure. Selecting a
// region sets the clip region and returns a region kind instead (as a value).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
inline HBITMAP SelectObject(HDC dc, HBITMAP b) {
  return HBITMAP(SelectObject(dc, HGDIOBJ(b)));
}
inline HFONT SelectObject(HDC dc, HFONT f) {
  return HFONT(SelectObject(dc, HGDIOBJ(f)));
}
inline HPEN SelectObject(HDC dc, HPEN p) {
  return HPEN(SelectObject(dc, HGDIOBJ(p)));
}
inline HBRUSH SelectObject(HDC dc, HBRUSH b) {
  return HBRUSH(SelectObject(dc, HGDIOBJ(b)));
}

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
// Tiles the bitmap's pixels (copied now), aligned to the context's brush origin.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF SetDCPenColor(HDC dc, COLORREF color);

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                         void* section = nullptr, DWORD offset = 0);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);  // 32-bit, zeroed
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// Direct access to a bitmap's pixels (any bitmap made here is 32-bit).
Surface GetBitmapSurface(HBITMAP bitmap);

HFONT CreateFontIndirect(const LOGFONT* lf);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* face);

// ---------------------------------------------------------------- contexts

HDC CreateCompatibleDC(HDC dc);  // a memory context; dc may be null

// GetDeviceCaps. The desktop is 96 pixels per inch with 32-bit colour;
// HORZRES and VERTRES give the size of the surface the context draws into.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
int GetDeviceCaps(HDC dc, int index);  // 0 for an invalid context or index
BOOL DeleteDC(HDC dc);
int SaveDC(HDC dc);                 // the new depth, 0 on failure
BOOL RestoreDC(HDC dc, int saved);  // saved > 0: that depth; < 0: relative

COLORREF SetTextColor(HDC dc, COLORREF color);  // the previous one, CLR_INVALID on failure
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);  // the previous mode, 0 on failure
int GetBkMode(HDC dc);

constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;
// Applies to pen lines and to the insides of Rectangle and Polygon.
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);

constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
int SetPolyFillMode(HDC dc, int mode);

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;
UINT SetTextAlign(HDC dc, UINT align);  // the previous alignment, GDI_ERROR on failure
UINT GetTextAlign(HDC dc);

// Logical to device: device = logical - window origin + viewport origin.
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* out);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetWindowOrgEx(HDC dc, POINT* out);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);

// Clipping. Regions given to SelectClipRgn are in device coordinates (not
// moved by the origins) and are copied; rectangles are logical.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
int SelectClipRgn(HDC dc, HRGN rgn);  // null rgn removes the clip region
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipBox(HDC dc, RECT* out);  // logical; the region kind, RGN_ERROR on failure
int GetClipRgn(HDC dc, HRGN out);   // 1 with a clip region, 0 without, -1 on failure
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* r);

// ---------------------------------------------------------------- drawing

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);  // CLR_INVALID when clipped
COLORREF GetPixel(HDC dc, int x, int y);                  // CLR_INVALID when outside

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);  // the end point itself is not drawn
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);

int FillRect(HDC dc, const RECT* r, HBRUSH brush);  // brush may be (COLOR_xxx + 1)
int FrameRect(HDC dc, const RECT* r, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* r);
BOOL DrawFocusRect(HDC dc, const RECT* r);  // dotted, drawn by inversion: twice erases

// Raster operations: the three-operand boolean codes (pattern, source, destination).
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-neighbour scaling; negative sizes mirror.
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
// Copies 24- or 32-bit pixels from memory (rows padded to 4 bytes, bottom-up
// unless the height is negative) to the context, as SRCCOPY at scale 1.
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int srcX, int srcY,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

// 3-D edges
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = 0x0003;
constexpr UINT BDR_INNER = 0x000C;
constexpr UINT BDR_RAISED = 0x0005;
constexpr UINT BDR_SUNKEN = 0x000A;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_DIAGONAL = 0x0010;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;
// BF_ADJUST shrinks *r by the edge drawn. Diagonal edges are not drawn.
BOOL DrawEdge(HDC dc, RECT* r, UINT edge, UINT flags);

// Frame controls: only push buttons (DFC_BUTTON with DFCS_BUTTONPUSH).
constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_ADJUSTRECT = 0x2000;
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;
// A push button's frame and face: raised, or sunken while pushed or checked.
// DFCS_ADJUSTRECT shrinks *r to the face inside the frame.
BOOL DrawFrameControl(HDC dc, RECT* r, UINT type, UINT state);

// ---------------------------------------------------------------- text

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* out);
int GetTextFace(HDC dc, int size, char* out);  // the resolved face's family name
// Width of the text as one line (tabs and line breaks are plain glyphs);
// height is the font's cell height.
BOOL GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* out);
BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* out);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);

BOOL TextOut(HDC dc, int x, int y, std::string_view text);
BOOL TextOut(HDC dc, int x, int y, const char* text, int count);
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
// dx, when given, holds the advance of each character.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* r, std::string_view text,
                const int* dx = nullptr);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* r, const char* text, UINT count,
                const int* dx);

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;
// Lays the text out in *r and draws it (or, with DT_CALCRECT, only measures
// it and sets r's right and bottom). DT_INTERNAL, DT_EDITCONTROL,
// DT_RTLREADING and DT_MODIFYSTRING are accepted and have no effect;
// DT_WORD_ELLIPSIS acts as DT_END_ELLIPSIS. Returns the text height, or with
// DT_VCENTER / DT_BOTTOM the offset from r->top to the bottom of the text;
// 0 on failure.
int DrawText(HDC dc, std::string_view text, RECT* r, UINT format);
int DrawText(HDC dc, const char* text, int count, RECT* r, UINT format);  // count -1: to NUL

// ---------------------------------------------------------------- regions

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
HRGN CreateRegionObject(const Region& region);  // a handle holding a copy
// dst receives a op b (b is ignored for RGN_COPY). Returns the region kind
// of the result, or RGN_ERROR (dst unchanged).
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* r);
int GetRgnBox(HRGN rgn, RECT* out);
BOOL EqualRgn(HRGN a, HRGN b);
const Region* GetRegion(HRGN rgn);  // the region behind a handle, null if invalid
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC dc, HRGN rgn);
BOOL PaintRgn(HDC dc, HRGN rgn);  // with the selected brush

// ---------------------------------------------------------------- system colours

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = COLOR_BACKGROUND;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int kSysColorCount = 31;

DWORD GetSysColor(int index);        // 0 for an unknown index
HBRUSH GetSysColorBrush(int index);  // shared; DeleteObject leaves it alone
BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors);
// A colour value with the top bit set names system colour (value AND 0xFF);
// other values lose their top byte. The result is a plain 0x00BBGGRR colour.
COLORREF ResolveColor(COLORREF color);
// The pixel word 0xAARRGGBB for a colour, with the given alpha.
std::uint32_t ColorToPixel(COLORREF color, std::uint8_t alpha = 0xFF);
COLORREF PixelToColor(std::uint32_t pixel);

// ---------------------------------------------------------------- pictures

// Writes the whole surface, or the part inside *part, to a PNG file. With
// keepAlpha the alpha bytes are stored; otherwise every pixel is written opaque.
bool WritePng(const std::string& path, const Surface& surface, const RECT* part = nullptr,
              bool keepAlpha = false);
// Reads a PNG file of any common format into 32-bit pixels; false on failure.
bool ReadPng(const std::string& path, SurfaceBuffer* out);

}  // namespace platform
