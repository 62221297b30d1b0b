#include "ui/SkinImages.h"

#include "ui/Premultiply.h"
#include "ui/SkinName.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>

namespace lumeno {

SkinImages::SkinImages(std::filesystem::path applicationFolder)
    : appFolder_(std::move(applicationFolder)),
      found_(std::make_shared<std::unordered_map<std::string, std::filesystem::path>>()),
      images_(std::make_shared<ImageCache>())
{
}

std::optional<std::filesystem::path> SkinImages::Resolve(std::string_view name) const
{
    const std::string key(name);
    if (auto it = found_->find(key); it != found_->end())
        return it->second;
    std::optional<std::filesystem::path> file = ResolveSkinFile(appFolder_, name);
    if (file)
        found_->emplace(key, *file); // misses are not kept: a file may still appear
    return file;
}

SkinImages SkinImages::ForRunningProgram()
{
    return SkinImages(std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

QImage PrepareSkinImage(const QImage& decoded)
{
    if (decoded.isNull())
        return {};
    if (!decoded.hasAlphaChannel())
        return decoded.convertToFormat(QImage::Format_RGB32);
    QImage straight = decoded.convertToFormat(QImage::Format_ARGB32);
    QImage prepared(straight.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < straight.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(prepared.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb p = in[x];
            const auto a = static_cast<uint8_t>(qAlpha(p));
            out[x] = qRgba(PremultiplyChannel(static_cast<uint8_t>(qRed(p)), a),
                           PremultiplyChannel(static_cast<uint8_t>(qGreen(p)), a),
                           PremultiplyChannel(static_cast<uint8_t>(qBlue(p)), a), a);
        }
    }
    return prepared;
}

void DrawPreparedImage(QPainter& painter, const QImage& prepared, int x, int y)
{
    if (prepared.isNull())
        return;
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(x, y), prepared);
    painter.setCompositionMode(mode);
}

const QImage* SkinImages::Prepared(std::string_view name) const
{
    std::string key(name);
    if (images_->missingNames.contains(key))
        return nullptr;
    std::optional<std::filesystem::path> file = Resolve(name);
    if (!file) {
        images_->missingNames.insert(std::move(key));
        return nullptr;
    }
    auto [it, added] = images_->byPath.try_emplace(file->string());
    if (added) {
        QImage decoded(QString::fromStdString(it->first));
        if (!decoded.isNull())
            it->second = PrepareSkinImage(decoded);
    }
    return it->second ? &*it->second : nullptr;
}

int SkinImages::Height(std::string_view name) const
{
    const auto file = Resolve(name);
    if (!file)
        return 0;
    const QSize size = QImageReader(QString::fromStdString(file->string())).size();
    return size.isValid() ? size.height() : 0;
}

std::optional<QImage> SkinImages::Load(std::string_view name) const
{
    if (const QImage* image = Prepared(name))
        return *image;
    return std::nullopt;
}

bool SkinImages::Draw(QPainter& painter, std::string_view name, int x, int y) const
{
    const QImage* image = Prepared(name);
    if (!image)
        return false;
    DrawPreparedImage(painter, *image, x, y);
    return true;
}

QIcon LoadApplicationIcon(const SkinImages& skin)
{
    QIcon icon;
    for (int size : kApplicationIconSizes) {
        const std::string name = "Icon/lumeno-kv580-" + std::to_string(size) + ".png";
        if (std::optional<std::filesystem::path> file = skin.Resolve(name))
            icon.addFile(QString::fromStdString(file->string()), QSize(size, size));
    }
    return icon;
}

QImage RegionCopy(const QImage& source, int x1, int y1, int x2, int y2)
{
    const int width = std::max(0, x2 - x1);
    const int height = std::max(0, y2 - y1);
    QImage region(width, height, QImage::Format_RGB32);
    if (region.isNull())
        return region;
    region.fill(Qt::black);
    QPainter painter(&region);
    painter.drawImage(QPoint(-x1, -y1), source);
    return region;
}

} // namespace lumeno
