// skingen: draws the default skin. Reads the skin inventory and writes every
// image it lists, at its listed size, below the output folder.
//   skingen <inventory.tsv> <output Skins folder>
#include "Painters.h"

#include "ui/SkinInventory.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen <inventory.tsv> <output folder>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "skingen: cannot read %s\n", argv[1]);
        return 1;
    }
    const lumeno::SkinInventory inventory = lumeno::ParseSkinInventory(in);
    for (const std::string& error : inventory.errors)
        std::fprintf(stderr, "skingen: %s\n", error.c_str());
    if (!inventory.errors.empty())
        return 1;

    const QDir out(QString::fromLocal8Bit(argv[2]));
    int failures = 0;
    for (const lumeno::SkinInventoryEntry& entry : inventory.entries) {
        const QString name = QString::fromStdString(entry.name);
        QImage image(entry.width, entry.height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (!skin::PaintSkinImage(name, image)) {
            std::fprintf(stderr, "skingen: no painter for %s\n", entry.name.c_str());
            ++failures;
            continue;
        }
        const QString path = out.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            std::fprintf(stderr, "skingen: cannot write %s\n", path.toLocal8Bit().constData());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
