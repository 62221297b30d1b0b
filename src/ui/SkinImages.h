#pragma once
// Loading and drawing skin images. Every image is looked up below the
// application folder (see SkinName.h), decoded with QImage, premultiplied by
// integer division when it carries alpha, and drawn unscaled with per-pixel
// alpha; images without alpha are copied opaque. A missing or undecodable
// file draws nothing and is not reported.
//
// A SkinImages object and its copies share one cache: each file is read and
// prepared once, and a name that found no file, or a file that did not
// decode, stays missing; later changes on disk are not seen. The cache is
// released with the last copy. Only the UI thread uses SkinImages: the
// cache is not locked.
#include <QIcon>
#include <QImage>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class QPainter;

namespace lumeno {

class SkinImages {
public:
    explicit SkinImages(std::filesystem::path applicationFolder);
    // The folder of the running executable (QCoreApplication must exist).
    static SkinImages ForRunningProgram();

    const std::filesystem::path& ApplicationFolder() const { return appFolder_; }

    // Decoded and prepared for drawing; nullopt when the file is missing or
    // cannot be decoded. Used where an image is kept (buttons, tracks); the
    // copy shares the kept image's pixels.
    std::optional<QImage> Load(std::string_view name) const;
    // The height of an image, read from its file header without decoding or
    // keeping it; 0 when the file is missing or unreadable. Sizes panes and
    // sections that are not drawn yet.
    int Height(std::string_view name) const;
    // Draws the prepared image at (x, y) in its own size; false when nothing
    // could be drawn.
    bool Draw(QPainter& painter, std::string_view name, int x, int y) const;

    // The file an image name resolves to. Found files are remembered, so
    // the case-blind folder scans run once per name, not at every paint.
    std::optional<std::filesystem::path> Resolve(std::string_view name) const;

private:
    struct ImageCache {
        // Prepared images by resolved path; nullopt for a file that did not decode.
        std::unordered_map<std::string, std::optional<QImage>> byPath;
        // Names that resolved to no file.
        std::unordered_set<std::string> missingNames;
    };
    // The cached prepared image of a name; null when there is none.
    const QImage* Prepared(std::string_view name) const;

    std::filesystem::path appFolder_;
    std::shared_ptr<std::unordered_map<std::string, std::filesystem::path>> found_;
    std::shared_ptr<ImageCache> images_;
};

// The application's icon in every size the skin holds ("Icon/lumeno-kv580-N.png"),
// for the windows and the tray; empty when the skin has none.
QIcon LoadApplicationIcon(const SkinImages& skin);
inline constexpr int kApplicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A decoded image made ready for drawing: 32-bit with alpha becomes
// premultiplied (value x alpha / 255, integer division); others opaque RGB32.
QImage PrepareSkinImage(const QImage& decoded);

// Draws a prepared image unscaled with its top-left corner at (x, y).
void DrawPreparedImage(QPainter& painter, const QImage& prepared, int x, int y);

// The region (x1, y1)-(x2, y2) of an image as a new opaque image of
// (x2 - x1) x (y2 - y1); parts outside the source are black. Slider tracks
// are cut out of their images with it.
QImage RegionCopy(const QImage& source, int x1, int y1, int x2, int y2);

} // namespace lumeno
