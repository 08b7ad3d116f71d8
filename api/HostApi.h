// api/HostApi.h: our own declaration of the host's filter interface, with the exact
// 64-bit Windows layout. Only what the plug-in (and our emulator) uses is declared.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

// ---- Primitive types (the host's names, fixed-width underneath) ----
using Boolean = uint8_t;    // 1 byte in every host record and callback
using SPBoolean = int32_t;  // only SPBasicSuite::IsEqual returns this
using Fixed = int32_t;      // 16.16 fixed point
using OSType = uint32_t;    // four-character code, first char in the most significant byte
using OSErr = int16_t;      // plug-in result codes
using SPErr = int32_t;      // suite result codes, 0 = success
using Ptr = char*;
using Handle = char**;  // pointer to a master pointer; *h is the data block

struct Point {
    int16_t v;
    int16_t h;
};
struct Rect {
    int16_t top, left, bottom, right;
};
struct VPoint {
    int32_t v;
    int32_t h;
};
struct VRect {
    int32_t top, left, bottom, right;
};
struct RGBColor {
    uint16_t red, green, blue;
};
using FilterColor = uint8_t[4];

struct PlugInMonitor {
    Fixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
};

// Builds a four-character code the way MSVC and GCC evaluate 'abcd'.
constexpr OSType FourCC(const char (&s)[5]) {
    return (static_cast<OSType>(static_cast<uint8_t>(s[0])) << 24) |
           (static_cast<OSType>(static_cast<uint8_t>(s[1])) << 16) |
           (static_cast<OSType>(static_cast<uint8_t>(s[2])) << 8) | static_cast<OSType>(static_cast<uint8_t>(s[3]));
}

// ---- Callbacks (one calling convention on x64) ----
using TestAbortProc = Boolean (*)();
using ProgressProc = void (*)(int32_t done, int32_t total);
using HostProc = void (*)(int16_t selector, intptr_t* data);
using AdvanceStateProc = OSErr (*)();
using GenericProc = void (*)();  // slots the plug-in never calls

// ---- Handle procs (natural alignment, version 1) ----
struct HandleProcs {
    int16_t handleProcsVersion;  // 1
    int16_t numHandleProcs;      // 8 (some hosts say 7: check before using the 8th slot)
    Handle (*newProc)(int32_t size);
    void (*disposeProc)(Handle h);
    int32_t (*getSizeProc)(Handle h);
    OSErr (*setSizeProc)(Handle h, int32_t newSize);
    Ptr (*lockProc)(Handle h, Boolean moveHigh);
    void (*unlockProc)(Handle h);
    void (*recoverSpaceProc)(int32_t size);
    void (*disposeRegularHandleProc)(Handle h);
};

// ---- Descriptor (scripting) procs (natural alignment, version 0) ----
using PIReadDescriptor = void*;
using PIWriteDescriptor = void*;
using PIDescriptorHandle = Handle;
using DescriptorKeyID = uint32_t;
using DescriptorTypeID = uint32_t;
using DescriptorUnitID = uint32_t;
using DescriptorEnumID = uint32_t;
using DescriptorClassID = uint32_t;
using DescriptorKeyIDArray = const DescriptorKeyID*;  // zero-terminated
using Str255 = unsigned char[256];

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;  // 0
    int16_t numReadDescriptorProcs;      // 18
    PIReadDescriptor (*openReadDescriptorProc)(PIDescriptorHandle, DescriptorKeyIDArray);
    OSErr (*closeReadDescriptorProc)(PIReadDescriptor);  // the worst sticky error
    Boolean (*getKeyProc)(PIReadDescriptor, DescriptorKeyID* key, DescriptorTypeID* type, int32_t* flags);
    OSErr (*getIntegerProc)(PIReadDescriptor, int32_t*);
    OSErr (*getFloatProc)(PIReadDescriptor, double*);
    OSErr (*getUnitFloatProc)(PIReadDescriptor, DescriptorUnitID*, double*);
    OSErr (*getBooleanProc)(PIReadDescriptor, Boolean*);
    OSErr (*getTextProc)(PIReadDescriptor, Handle*);
    OSErr (*getAliasProc)(PIReadDescriptor, Handle*);
    OSErr (*getEnumeratedProc)(PIReadDescriptor, DescriptorEnumID*);
    OSErr (*getClassProc)(PIReadDescriptor, DescriptorTypeID*);
    OSErr (*getSimpleReferenceProc)(PIReadDescriptor, void*);
    OSErr (*getObjectProc)(PIReadDescriptor, DescriptorTypeID*, PIDescriptorHandle*);
    OSErr (*getCountProc)(PIReadDescriptor, uint32_t*);
    OSErr (*getStringProc)(PIReadDescriptor, Str255*);
    OSErr (*getPinnedIntegerProc)(PIReadDescriptor, int32_t min, int32_t max, int32_t*);
    OSErr (*getPinnedFloatProc)(PIReadDescriptor, const double* min, const double* max, double*);
    OSErr (*getPinnedUnitFloatProc)(PIReadDescriptor, const double* min, const double* max, DescriptorUnitID*, double*);
};

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;  // 0
    int16_t numWriteDescriptorProcs;      // 16
    PIWriteDescriptor (*openWriteDescriptorProc)();
    OSErr (*closeWriteDescriptorProc)(PIWriteDescriptor, PIDescriptorHandle* out);
    OSErr (*putIntegerProc)(PIWriteDescriptor, DescriptorKeyID, int32_t);
    OSErr (*putFloatProc)(PIWriteDescriptor, DescriptorKeyID, const double*);
    OSErr (*putUnitFloatProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorUnitID, const double*);
    OSErr (*putBooleanProc)(PIWriteDescriptor, DescriptorKeyID, Boolean);
    OSErr (*putTextProc)(PIWriteDescriptor, DescriptorKeyID, Handle);
    OSErr (*putAliasProc)(PIWriteDescriptor, DescriptorKeyID, Handle);
    OSErr (*putEnumeratedProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorTypeID, DescriptorEnumID);
    OSErr (*putClassProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorTypeID);
    OSErr (*putSimpleReferenceProc)(PIWriteDescriptor, DescriptorKeyID, const void*);
    OSErr (*putObjectProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorTypeID, PIDescriptorHandle);
    OSErr (*putCountProc)(PIWriteDescriptor, DescriptorKeyID, uint32_t);
    OSErr (*putStringProc)(PIWriteDescriptor, DescriptorKeyID, const unsigned char*);
    OSErr (*putScopedClassProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorTypeID);
    OSErr (*putScopedObjectProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorTypeID, PIDescriptorHandle);
};

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;  // 0
    int16_t playInfo;                     // kPlayDialog*
    int16_t recordInfo;                   // kRecordDialog*
    PIDescriptorHandle descriptor;
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};

// ---- Basic suite and the colour-space suite (natural alignment) ----
struct SPBasicSuite {
    SPErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
    SPErr (*ReleaseSuite)(const char* name, int32_t version);
    SPBoolean (*IsEqual)(const char* a, const char* b);
    SPErr (*AllocateBlock)(size_t size, void** block);
    SPErr (*FreeBlock)(void* block);
    SPErr (*ReallocateBlock)(void* block, size_t newSize, void** newBlock);
    SPErr (*Undefined)();
};

using Color8 = uint8_t[4];    // RGB: unused, R, G, B; CMYK: C, M, Y, K
using Color16 = uint16_t[4];  // same order, 0..32768

// Slots 0..7 agree in every published copy; the rest are never called by the plug-in.
struct PSColorSpaceSuite1 {
    GenericProc Make;
    GenericProc Delete;
    GenericProc StuffComponents;
    GenericProc ExtractComponents;
    GenericProc StuffXYZ;
    GenericProc ExtractXYZ;
    SPErr (*Convert8)(int16_t inSpace, int16_t outSpace, Color8* colors, int16_t count);
    SPErr (*Convert16)(int16_t inSpace, int16_t outSpace, Color16* colors, int16_t count);
    GenericProc GetNativeSpace;
    GenericProc IsBookColor;
    GenericProc ExtractColorName;
    GenericProc PickColor;
    GenericProc Convert8to16;
    GenericProc Convert16to8;
    GenericProc ConvertToMonitorRGB;
    GenericProc Convert32to8;
};

// ---- About record and platform data (natural alignment) ----
struct PlatformData {
    intptr_t hwnd;  // parent window for dialogs
};

struct AboutRecord {
    PlatformData* platformData;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

// ---- Filter record (pack 4, as the host compiles it) ----
#pragma pack(push, 4)

struct BigDocumentStruct {
    int32_t PluginUsing32BitCoordinates;  // the plug-in sets it to use the 32-bit fields
    VPoint imageSize32;
    VRect filterRect32;
    VRect inRect32;
    VRect outRect32;
    VRect maskRect32;
    VPoint floatCoord32;
    VPoint wholeSize32;
};

struct FilterCaseInfo {
    uint8_t inputHandling;
    uint8_t outputHandling;
    uint8_t flags1;
    uint8_t flags2;
};

struct FilterRecord {
    int32_t serialNumber;              // 0
    TestAbortProc abortProc;           // 4
    ProgressProc progressProc;         // 12
    Handle parameters;                 // 20: plug-in owned, NULL on first use
    Point imageSize;                   // 28
    int16_t planes;                    // 32
    Rect filterRect;                   // 34
    RGBColor background;               // 42
    RGBColor foreground;               // 48
    int32_t maxSpace;                  // 56
    int32_t bufferSpace;               // 60
    Rect inRect;                       // 64
    int16_t inLoPlane, inHiPlane;      // 72, 74 (hi inclusive)
    Rect outRect;                      // 76
    int16_t outLoPlane, outHiPlane;    // 84, 86
    void* inData;                      // 88
    int32_t inRowBytes;                // 96
    void* outData;                     // 100
    int32_t outRowBytes;               // 108
    Boolean isFloating;                // 112
    Boolean haveMask;                  // 113
    Boolean autoMask;                  // 114
    Rect maskRect;                     // 116
    void* maskData;                    // 124: one byte per pixel, read-only
    int32_t maskRowBytes;              // 132
    FilterColor backColor;             // 136
    FilterColor foreColor;             // 140
    OSType hostSig;                    // 144
    HostProc hostProc;                 // 148
    int16_t imageMode;                 // 156
    Fixed imageHRes;                   // 160
    Fixed imageVRes;                   // 164
    Point floatCoord;                  // 168
    Point wholeSize;                   // 172
    PlugInMonitor monitor;             // 176
    PlatformData* platformData;        // 216
    void* bufferProcs;                 // 224
    void* resourceProcs;               // 232
    GenericProc processEvent;          // 240
    GenericProc displayPixels;         // 248
    HandleProcs* handleProcs;          // 256
    Boolean supportsDummyChannels;     // 264
    Boolean supportsAlternateLayouts;  // 265
    int16_t wantLayout;                // 266
    int16_t filterCase;                // 268
    int16_t dummyPlaneValue;           // 270
    void* premiereHook;                // 272
    AdvanceStateProc advanceState;     // 280
    Boolean supportsAbsolute;          // 288
    Boolean wantsAbsolute;             // 289
    GenericProc getPropertyObsolete;   // 292
    Boolean cannotUndo;                // 300
    Boolean supportsPadding;           // 301
    int16_t inputPadding;              // 302
    int16_t outputPadding;             // 304
    int16_t maskPadding;               // 306
    char samplingSupport;              // 308
    char reservedByte;                 // 309
    Fixed inputRate;                   // 312
    Fixed maskRate;                    // 316
    GenericProc colorServices;         // 320
    int16_t inLayerPlanes, inTransparencyMask, inLayerMasks, inInvertedLayerMasks, inNonLayerPlanes;  // 328
    int16_t outLayerPlanes, outTransparencyMask, outLayerMasks, outInvertedLayerMasks,
        outNonLayerPlanes;  // 338
    int16_t absLayerPlanes, absTransparencyMask, absLayerMasks, absInvertedLayerMasks,
        absNonLayerPlanes;                                                               // 348
    int16_t inPreDummyPlanes, inPostDummyPlanes, outPreDummyPlanes, outPostDummyPlanes;  // 358
    int32_t inColumnBytes, inPlaneBytes, outColumnBytes, outPlaneBytes;                  // 368
    void* imageServicesProcs;                                                            // 384
    void* propertyProcs;                                                                 // 392
    int16_t inTileHeight, inTileWidth;                                                   // 400
    Point inTileOrigin;                                                                  // 404
    int16_t absTileHeight, absTileWidth;                                                 // 408
    Point absTileOrigin;                                                                 // 412
    int16_t outTileHeight, outTileWidth;                                                 // 416
    Point outTileOrigin;                                                                 // 420
    int16_t maskTileHeight, maskTileWidth;                                               // 424
    Point maskTileOrigin;                                                                // 428
    PIDescriptorParameters* descriptorParameters;                                        // 432
    Str255* errorString;                                                                 // 440
    void* channelPortProcs;                                                              // 448
    void* documentInfo;                                                                  // 456
    SPBasicSuite* sSPBasic;                                                              // 464
    void* plugInRef;                                                                     // 472
    int32_t depth;                                                                       // 480: bits per channel
    Handle iCCprofileData;                                                               // 484
    int32_t iCCprofileSize;                                                              // 492
    int32_t canUseICCProfiles;                                                           // 496
    int32_t hasImageScrap;                                                               // 500
    BigDocumentStruct* bigDocumentData;                                                  // 504: NULL = unsupported
    PIDescriptorParameters* input3DScene;                                                // 512
    PIDescriptorParameters* output3DScene;                                               // 520
    Boolean createNewLayer;                                                              // 528
    Handle iCCWorkingProfileData;                                                        // 532
    int32_t iCCWorkingProfileSize;                                                       // 540
    int64_t bufferSpace64;                                                               // 544
    int64_t maxSpace64;                                                                  // 552
    Boolean allowOverrangeColors;                                                        // 560
    char reserved[45];                                                                   // 561
};

#pragma pack(pop)

// ---- Constants ----
enum Selector : int16_t {
    kSelectorAbout = 0,
    kSelectorParameters = 1,
    kSelectorPrepare = 2,
    kSelectorStart = 3,
    kSelectorContinue = 4,
    kSelectorFinish = 5,
};

constexpr OSErr kNoErr = 0;
constexpr OSErr kMemFullErr = -108;
constexpr OSErr kNilHandleErr = -109;
constexpr OSErr kUserCanceledErr = -128;
constexpr OSErr kFilterBadParameters = -30100;
constexpr OSErr kErrMissingParameter = -1715;

constexpr int16_t kModeGrayScale = 1;
constexpr int16_t kModeRGB = 3;
constexpr int16_t kModeCMYK = 4;
constexpr int16_t kModeLab = 9;
constexpr int16_t kModeGray16 = 10;
constexpr int16_t kModeRGB48 = 11;
constexpr int16_t kModeCMYK64 = 13;

constexpr int16_t kColorSpaceRGB = 0;
constexpr int16_t kColorSpaceCMYK = 2;

constexpr int16_t kPlayDialogDontDisplay = 0;
constexpr int16_t kPlayDialogDisplay = 1;
constexpr int16_t kPlayDialogSilent = 2;
constexpr int16_t kRecordDialogOptional = 0;

constexpr DescriptorTypeID kTypeUnitFloat = FourCC("UntF");
constexpr DescriptorTypeID kTypeInteger = FourCC("long");
constexpr DescriptorTypeID kTypeBoolean = FourCC("bool");
constexpr DescriptorTypeID kTypeFloat = FourCC("doub");
constexpr DescriptorUnitID kUnitPercent = FourCC("#Prc");

constexpr OSType kHostSigPhotoshop = FourCC("8BIM");
constexpr const char* kColorSpaceSuiteName = "Photoshop ColorSpace Suite for Plug-ins";
constexpr int32_t kColorSpaceSuiteVersion1 = 1;
constexpr Fixed kFixedOne = 0x00010000;

constexpr int32_t kFull16 = 32768;  // the host's 16-bit white

// ---- Layout guards: a slip here would make every host read garbage ----
static_assert(sizeof(Point) == 4 && sizeof(Rect) == 8 && sizeof(VRect) == 16, "primitive layout");
static_assert(sizeof(FilterRecord) == 608, "FilterRecord size");
static_assert(offsetof(FilterRecord, abortProc) == 4, "FilterRecord layout");
static_assert(offsetof(FilterRecord, parameters) == 20, "FilterRecord layout");
static_assert(offsetof(FilterRecord, planes) == 32, "FilterRecord layout");
static_assert(offsetof(FilterRecord, filterRect) == 34, "FilterRecord layout");
static_assert(offsetof(FilterRecord, maxSpace) == 56, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inRect) == 64, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inLoPlane) == 72, "FilterRecord layout");
static_assert(offsetof(FilterRecord, outRect) == 76, "FilterRecord layout");
static_assert(offsetof(FilterRecord, outLoPlane) == 84, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inData) == 88, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inRowBytes) == 96, "FilterRecord layout");
static_assert(offsetof(FilterRecord, outData) == 100, "FilterRecord layout");
static_assert(offsetof(FilterRecord, outRowBytes) == 108, "FilterRecord layout");
static_assert(offsetof(FilterRecord, haveMask) == 113, "FilterRecord layout");
static_assert(offsetof(FilterRecord, maskRect) == 116, "FilterRecord layout");
static_assert(offsetof(FilterRecord, maskData) == 124, "FilterRecord layout");
static_assert(offsetof(FilterRecord, maskRowBytes) == 132, "FilterRecord layout");
static_assert(offsetof(FilterRecord, hostSig) == 144, "FilterRecord layout");
static_assert(offsetof(FilterRecord, hostProc) == 148, "FilterRecord layout");
static_assert(offsetof(FilterRecord, imageMode) == 156, "FilterRecord layout");
static_assert(offsetof(FilterRecord, imageHRes) == 160, "FilterRecord layout");
static_assert(offsetof(FilterRecord, monitor) == 176, "FilterRecord layout");
static_assert(offsetof(FilterRecord, platformData) == 216, "FilterRecord layout");
static_assert(offsetof(FilterRecord, bufferProcs) == 224, "FilterRecord layout");
static_assert(offsetof(FilterRecord, handleProcs) == 256, "FilterRecord layout");
static_assert(offsetof(FilterRecord, filterCase) == 268, "FilterRecord layout");
static_assert(offsetof(FilterRecord, advanceState) == 280, "FilterRecord layout");
static_assert(offsetof(FilterRecord, supportsAbsolute) == 288, "FilterRecord layout");
static_assert(offsetof(FilterRecord, getPropertyObsolete) == 292, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inputPadding) == 302, "FilterRecord layout");
static_assert(offsetof(FilterRecord, samplingSupport) == 308, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inputRate) == 312, "FilterRecord layout");
static_assert(offsetof(FilterRecord, colorServices) == 320, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inLayerPlanes) == 328, "FilterRecord layout");
static_assert(offsetof(FilterRecord, outLayerPlanes) == 338, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inPreDummyPlanes) == 358, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inColumnBytes) == 368, "FilterRecord layout");
static_assert(offsetof(FilterRecord, imageServicesProcs) == 384, "FilterRecord layout");
static_assert(offsetof(FilterRecord, inTileHeight) == 400, "FilterRecord layout");
static_assert(offsetof(FilterRecord, maskTileOrigin) == 428, "FilterRecord layout");
static_assert(offsetof(FilterRecord, descriptorParameters) == 432, "FilterRecord layout");
static_assert(offsetof(FilterRecord, errorString) == 440, "FilterRecord layout");
static_assert(offsetof(FilterRecord, sSPBasic) == 464, "FilterRecord layout");
static_assert(offsetof(FilterRecord, depth) == 480, "FilterRecord layout");
static_assert(offsetof(FilterRecord, iCCprofileData) == 484, "FilterRecord layout");
static_assert(offsetof(FilterRecord, hasImageScrap) == 500, "FilterRecord layout");
static_assert(offsetof(FilterRecord, bigDocumentData) == 504, "FilterRecord layout");
static_assert(offsetof(FilterRecord, createNewLayer) == 528, "FilterRecord layout");
static_assert(offsetof(FilterRecord, iCCWorkingProfileData) == 532, "FilterRecord layout");
static_assert(offsetof(FilterRecord, bufferSpace64) == 544, "FilterRecord layout");
static_assert(offsetof(FilterRecord, maxSpace64) == 552, "FilterRecord layout");
static_assert(offsetof(FilterRecord, allowOverrangeColors) == 560, "FilterRecord layout");
static_assert(sizeof(BigDocumentStruct) == 92, "BigDocumentStruct size");
static_assert(offsetof(BigDocumentStruct, filterRect32) == 12, "BigDocumentStruct layout");
static_assert(offsetof(BigDocumentStruct, inRect32) == 28, "BigDocumentStruct layout");
static_assert(offsetof(BigDocumentStruct, outRect32) == 44, "BigDocumentStruct layout");
static_assert(offsetof(BigDocumentStruct, maskRect32) == 60, "BigDocumentStruct layout");
static_assert(sizeof(FilterCaseInfo) == 4, "FilterCaseInfo size");
static_assert(sizeof(AboutRecord) == 272, "AboutRecord size");
static_assert(offsetof(AboutRecord, sSPBasic) == 8, "AboutRecord layout");
static_assert(sizeof(PlatformData) == 8, "PlatformData size");
static_assert(sizeof(HandleProcs) == 72, "HandleProcs size");
static_assert(offsetof(HandleProcs, newProc) == 8, "HandleProcs layout");
static_assert(offsetof(HandleProcs, lockProc) == 40, "HandleProcs layout");
static_assert(offsetof(HandleProcs, disposeRegularHandleProc) == 64, "HandleProcs layout");
static_assert(sizeof(PIDescriptorParameters) == 32, "PIDescriptorParameters size");
static_assert(offsetof(PIDescriptorParameters, descriptor) == 8, "PIDescriptorParameters layout");
static_assert(offsetof(PIDescriptorParameters, readDescriptorProcs) == 24, "PIDescriptorParameters layout");
static_assert(sizeof(WriteDescriptorProcs) == 136, "WriteDescriptorProcs size");
static_assert(offsetof(WriteDescriptorProcs, putUnitFloatProc) == 40, "WriteDescriptorProcs layout");
static_assert(sizeof(ReadDescriptorProcs) == 152, "ReadDescriptorProcs size");
static_assert(offsetof(ReadDescriptorProcs, getUnitFloatProc) == 48, "ReadDescriptorProcs layout");
static_assert(offsetof(ReadDescriptorProcs, getPinnedUnitFloatProc) == 144, "ReadDescriptorProcs layout");
static_assert(sizeof(SPBasicSuite) == 56, "SPBasicSuite size");
static_assert(offsetof(PSColorSpaceSuite1, Convert8) == 48, "ColorSpace suite layout");
static_assert(offsetof(PSColorSpaceSuite1, Convert16) == 56, "ColorSpace suite layout");

}  // namespace host
