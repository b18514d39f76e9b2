#ifndef SETTINGS_H
#define SETTINGS_H

#include "rules/framedelay.h"

#include <QString>

// The names the per-user settings are kept under; the default output folder and the
// temporary folder are named after them too.
inline const QString organizationName = QStringLiteral("Tessmark");
inline const QString applicationName = QStringLiteral("Lumorra");

// The kinds of setting. A value that is missing, cannot be read as its kind, or lies
// outside its bounds reads as the default.
struct BoolSetting
{
    const char *key;
    bool defaultValue;
};

struct IntSetting
{
    const char *key;
    int defaultValue;
    int least;
    int most;
};

// Free text, empty when missing.
struct TextSetting
{
    const char *key;
};

// A folder the user chose; read through folderFromSettings (app/services.h), which falls
// back to the default output folder.
struct FolderSetting
{
    const char *key;
};

// Every setting the program keeps, one row each: key, then default and bounds as its kind
// has them. A new setting is a row here and its use through readSetting and writeSetting.
// The keys are the stored names: changed, users lose what they chose.
namespace Setting {
inline constexpr FolderSetting savePath{"SavePath"};
inline constexpr FolderSetting addImagesPath{"addImagesPath"};
inline constexpr FolderSetting addGifPath{"addGIFPath"};
inline constexpr FolderSetting addVideoPath{"addVideoPath"};
// Its first two characters are the language code; missing, the system's language is taken.
inline constexpr TextSetting language{"Language"};
inline constexpr IntSetting imagesFrameRate{"imagesFrameRate", 10, MinFrameRate, MaxFrameRate};
inline constexpr BoolSetting imagesSmallerFile{"imagesSmallerFile", false};
// Where smaller pictures go: 0 top left, 1 centred, 2 scaled to fit.
inline constexpr IntSetting imagesPlacement{"imagesPlacement", 0, 0, 2};
// The GIF's width or height, the other side keeping the proportions; 0 for the pictures'
// own size. The page sets one of them at most.
inline constexpr IntSetting imagesResizeWidth{"imagesResizeWidth", 0, 0, 65535};
inline constexpr IntSetting imagesResizeHeight{"imagesResizeHeight", 0, 0, 65535};
// How many times the GIF plays; 0 for ever.
inline constexpr IntSetting imagesPlayCount{"imagesPlayCount", 0, 0, 65535};
// The quality level of the images' GIF; 100 is the exact output.
inline constexpr IntSetting imagesQuality{"imagesQuality", 100, 1, 100};
// The size the GIF must fit under, in bytes; 0 for none.
inline constexpr IntSetting imagesMaxBytes{"imagesMaxBytes", 0, 0, 2000000000};
// The page offers 5 to 30 in steps of 5 and takes any other stored rate as the default.
inline constexpr IntSetting videoFrameRate{"videoFrameRate", 15, 5, 30};
inline constexpr BoolSetting videoHighQualityColours{"videoHighQualityColours", false};
// Below 100 our encoder writes the video's GIF at that level.
inline constexpr IntSetting videoQuality{"videoQuality", 100, 1, 100};
inline constexpr IntSetting videoMaxBytes{"videoMaxBytes", 0, 0, 2000000000};
}

bool readSetting(const BoolSetting &setting);
int readSetting(const IntSetting &setting);
QString readSetting(const TextSetting &setting);
// The folder as stored, empty when missing; it may no longer exist.
QString readSetting(const FolderSetting &setting);

void writeSetting(const BoolSetting &setting, bool value);
void writeSetting(const IntSetting &setting, int value);
void writeSetting(const TextSetting &setting, const QString &value);
void writeSetting(const FolderSetting &setting, const QString &folder);

#endif
