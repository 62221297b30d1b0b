// skin-gallery: contact sheets of the default skin and of the skinned
// controls in every state, for people to look at.
//   skin-gallery <inventory.tsv> <Skins folder> <output folder>
// Writes skin-images-N.png (every image of the inventory with its name),
// main-window-top.png and main-window-side.png (the images composed as the
// main window places them), dialogs.png and controls.png.
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"
#include "ui/ExMenu.h"
#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"
#include "ui/SkinImages.h"
#include "ui/SkinInventory.h"
#include "ui/SkinScrollBar.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>
#include <fstream>
#include <functional>

using namespace lumeno;

namespace {

const QColor kSheet(10, 10, 12);

QImage Load(const SkinImages& skin, const std::string& name) { return skin.Load(name).value_or(QImage()); }

void Label(QPainter& p, int x, int y, const QString& text, QColor colour = QColor(200, 200, 205))
{
    QFont f = p.font();
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(x, y, text);
}

// Every inventory image on pages, each with its name and size.
int WriteImageSheets(const SkinInventory& inventory, const SkinImages& skin, const QDir& out)
{
    const int pageWidth = 1400;
    int page = 0;
    std::vector<const SkinInventoryEntry*> pending;
    for (const auto& e : inventory.entries)
        pending.push_back(&e);
    size_t next = 0;
    while (next < pending.size()) {
        QImage sheet(pageWidth, 1600, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(kSheet);
        QPainter p(&sheet);
        QFont labelFont = p.font();
        labelFont.setPixelSize(11);
        p.setFont(labelFont);
        int x = 10, y = 10, rowHeight = 0;
        while (next < pending.size()) {
            const SkinInventoryEntry& e = *pending[next];
            const int nameWidth = QFontMetrics(p.font()).horizontalAdvance(QString::fromStdString(e.name));
            const int cellW = std::max(e.width, nameWidth) + 16;
            const int cellH = e.height + 34;
            if (x + cellW > pageWidth) {
                x = 10;
                y += rowHeight + 8;
                rowHeight = 0;
            }
            if (y + cellH > sheet.height())
                break;
            // Checkerboard so transparent parts show.
            for (int cy = 0; cy < e.height; cy += 8)
                for (int cx = 0; cx < e.width; cx += 8)
                    p.fillRect(x + cx, y + cy, std::min(8, e.width - cx), std::min(8, e.height - cy),
                               ((cx + cy) / 8) % 2 ? QColor(34, 34, 38) : QColor(26, 26, 30));
            skin.Draw(p, e.name, x, y);
            Label(p, x, y + e.height + 14, QString::fromStdString(e.name));
            Label(p, x, y + e.height + 27, QStringLiteral("%1 x %2").arg(e.width).arg(e.height), QColor(130, 130, 140));
            x += cellW;
            rowHeight = std::max(rowHeight, cellH);
            ++next;
        }
        p.end();
        sheet = sheet.copy(0, 0, pageWidth, std::min(sheet.height(), y + rowHeight + 10));
        sheet.save(out.filePath(QStringLiteral("skin-images-%1.png").arg(++page)));
    }
    return page;
}

// The main window as it puts its images together, with one button lit.
void WriteMainWindow(const SkinImages& skin, const QDir& out, bool side, int lit)
{
    QImage image = Load(skin, "main.png");
    if (image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    skin.Draw(p, "Skins\\Logo.png", 20, 32);
    skin.Draw(p, "Skins\\BK_MainMid.png", 262, 2);
    const int front[8][2] = {{0, 0},     {350, 102}, {550, 102}, {498, 190},
                             {350, 247}, {350, 315}, {498, 255}, {498, 285}};
    const int sideAt[8][2] = {{0, 0},     {400, 155}, {335, 155}, {410, 248},
                              {490, 270}, {545, 265}, {460, 158}, {487, 158}};
    if (!side)
        skin.Draw(p, "Skins\\Mouse\\Front\\MouseFront.png", 395, 85);
    else
        skin.Draw(p, "Skins\\Mouse\\Side\\MouseSide.png", 300, 226);
    for (int n = 1; n <= 7; ++n) {
        const auto& at = side ? sideAt[n] : front[n];
        const std::string name = side ? "Skins/Mouse/Side/S-" : "Skins/Mouse/Front/F-";
        skin.Draw(p, name + std::to_string(n) + (n == lit ? "-over.png" : "-normal.png"), at[0], at[1]);
    }
    skin.Draw(p, "/Skins/BK_MainLeft.png", 20, 107);
    skin.Draw(p, "Skins\\MLogo.png", 40, 525);
    // Left column, section 1 and 2 open.
    skin.Draw(p, "skins/ItemBK.png", 20, 107);
    skin.Draw(p, "/skins/ButtonAssignment/BK_ButtonAssignment.png", 20, 127);
    QFont f = p.font();
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(25, 107, 230, 20), Qt::AlignVCenter, "Button Assignment");
    const char* captions[7] = {"Click", "Menu", "Scroll ", "Back", "Forward", "DPI +", "DPI -"};
    for (int k = 0; k < 7; ++k) {
        p.setPen(Qt::white);
        p.drawText(QRect(31, 156 + 20 * k, 84, 14), Qt::AlignVCenter, QStringLiteral("Button %1").arg(k + 1));
        skin.Draw(
            p, k == 0 ? "skins/ButtonAssignment/DropdownBox-over.png" : "skins/ButtonAssignment/DropdownBox-normal.png",
            120, 154 + 20 * k);
        p.drawText(QRect(125, 154 + 20 * k, 100, 16), Qt::AlignVCenter, captions[k]);
    }
    const int h1 = 172;
    skin.Draw(p, "skins/ItemBK.png", 20, 132 + h1);
    p.drawText(QRect(25, 132 + h1, 230, 20), Qt::AlignVCenter, "Macro Manager");
    skin.Draw(p, "skins/ItemBK.png", 20, 157 + h1);
    p.drawText(QRect(25, 157 + h1, 230, 20), Qt::AlignVCenter, "Axis Sensitivity");
    const int b = 177 + h1;
    skin.Draw(p, "/Skins/XYSensitivity/BK_XYSensSetting.png", 20, b);
    for (int s = 0; s < 2; ++s) {
        const int y = b + 25 + 60 * s;
        p.drawText(QRect(37, y - 18, 100, 14), Qt::AlignVCenter, s == 0 ? "x-Axis" : "y-Axis");
        QImage empty = RegionCopy(Load(skin, "\\skins\\XYSensitivity\\1.png"), 0, 0, 208, 9);
        QImage filled = RegionCopy(Load(skin, "\\skins\\XYSensitivity\\2.png"), 0, 0, 208, 9);
        p.drawImage(37, y, empty);
        const int w = 208 * (s == 0 ? 4 : 7) / 9;
        p.drawImage(QRect(37, y, w, 9), filled, QRect(0, 0, w, 9));
        QFont small = f;
        small.setPixelSize(10);
        p.setFont(small);
        p.setPen(QColor(170, 174, 184));
        for (int i = 0; i < 10; ++i)
            p.drawText(20 + 24 + 21 * i, y + 22, QString::number(i + 1));
        p.setFont(f);
        p.setPen(Qt::white);
    }
    // Title strip buttons, tabs, bottom buttons.
    skin.Draw(p, "skins/button-help-normal.png", 937, 5);
    skin.Draw(p, "skins/button-min-normal.png", 958, 5);
    skin.Draw(p, "skins/button-close-over.png", 979, 5);
    skin.Draw(p, side ? "skins/button-mouse-normal.png" : "skins/button-mouse-leave.png", 435, 527);
    skin.Draw(p, side ? "skins/button-mouse-leave.png" : "skins/button-mouse-normal.png", 505, 527);
    p.drawText(QRect(435, 527, 62, 29), Qt::AlignCenter, "Top View");
    p.drawText(QRect(505, 527, 62, 29), Qt::AlignCenter, "Side View");
    skin.Draw(p, "skins/button-config-normal.png", 18, 604);
    p.drawText(QRect(18, 604, 140, 30), Qt::AlignCenter, "Config");
    skin.Draw(p, "skins/button-cancel-over.png", 923, 604);
    p.drawText(QRect(923, 604, 57, 30), Qt::AlignCenter, "Reset");
    QFont note = f;
    note.setPixelSize(11);
    p.setFont(note);
    p.setPen(QColor(150, 154, 164));
    p.drawText(194, 624,
               "Note: the color of the product in drive is for reference only,please take real product as criterion, "
               "thank you!");
    p.setFont(f);
    // Right column: accordion with the DPI and lighting panes open.
    p.save();
    p.translate(735, 32);
    p.setClipRect(0, 0, 260, 561);
    skin.Draw(p, "Skins\\BK_MainRight.png", 0, 0);
    const char* titles[] = {"DPI Setting", "Lighting",           "Polling Rate",
                            "Mouse Speed", "Double-Click Speed", "Scroll Speed"};
    const char* panes[] = {"skins/DPISetting/BK_DPISetting.png",         "skins/Lighting/BK_Lighting.png",
                           "skins/USBReportRate/BK_USBReportRate.png",   "skins/MouseAttribute/BK_MouseAttribute.png",
                           "skins/MouseAttribute/BK_MouseAttribute.png", "skins/MouseAttribute/BK_ScrollSpeed.png"};
    int y = 2;
    for (int i = 0; i < 6; ++i) {
        skin.Draw(p, "\\skins\\ItemBK.png", 0, y);
        p.setPen(Qt::white);
        p.drawText(QRect(8, y, 230, 20), Qt::AlignVCenter, titles[i]);
        y += 20;
        const bool open = i <= 1 || i == 3 || i == 2;
        if (open) {
            skin.Draw(p, panes[i], 0, y);
            if (i == 0) {
                QImage e = RegionCopy(Load(skin, "\\skins\\DPISetting\\DPIStage\\0.png"), 0, 0, 7, 169);
                QImage fl = RegionCopy(Load(skin, "\\skins\\DPISetting\\DPIStage\\82.png"), 0, 0, 7, 169);
                const int dpis[7] = {6, 12, 24, 36, 54, 72, 120};
                const QColor colours[7] = {Qt::blue,   Qt::red, Qt::green, Qt::yellow, Qt::cyan, QColor(255, 128, 0),
                                           Qt::magenta};
                for (int k = 0; k < 7; ++k) {
                    const int x = 25 + 30 * k;
                    p.drawImage(x, y + 3, e);
                    const int hgt = std::min(170, 170 * (dpis[k] - 1) / 118);
                    p.drawImage(QRect(x, y + 3 + 170 - hgt, 7, hgt), fl, QRect(0, 170 - hgt, 7, hgt));
                    skin.Draw(p, "Skins\\DPISetting\\BK-DPIValue.png", x - 5, y + 182);
                    QFont tiny = f;
                    tiny.setPixelSize(8);
                    p.setFont(tiny);
                    p.drawText(QRect(x - 5, y + 182, 25, 11), Qt::AlignCenter, QString::number(dpis[k] * 100));
                    p.setFont(f);
                    skin.Draw(p, k == 5 ? "Skins\\Disable.png" : "Skins\\Enable.png", x, y + 202);
                    p.fillRect(x, y + 215, 10, 10, colours[k]);
                }
            }
            if (i == 1) {
                const char* modes[] = {"Standard", "Respiration", "Neon", "Stream", "Finger tapping"};
                const int rows[] = {20, 49, 78, 107, 136};
                QImage e = RegionCopy(Load(skin, "\\skins\\StageSlider\\1.png"), 1, 0, 128, 11);
                QImage fl = RegionCopy(Load(skin, "\\skins\\StageSlider\\10.png"), 1, 0, 128, 11);
                for (int r = 0; r < 5; ++r) {
                    skin.Draw(p, r == 3 ? "Skins/Enable.png" : "Skins/Disable.png", 10, y + rows[r]);
                    QFont sm = f;
                    sm.setPixelSize(11);
                    p.setFont(sm);
                    p.drawText(QRect(25, y + rows[r] - 3, 75, 16), Qt::AlignVCenter, modes[r]);
                    p.drawImage(QRect(100, y + rows[r], 127, 8), e, QRect(0, 0, 127, 8));
                    const int w = 128 * (r + 1) / 4 > 128 ? 128 : 128 * (r) / 4;
                    p.drawImage(QRect(100, y + rows[r], w, 8), fl, QRect(0, 0, w, 8));
                    QFont tiny = f;
                    tiny.setPixelSize(9);
                    p.setFont(tiny);
                    p.setPen(QColor(170, 174, 184));
                    for (int m = 0; m < 5; ++m)
                        p.drawText(100 + 30 * m, y + rows[r] + 18, QString::number(m + 1));
                    p.setPen(Qt::white);
                    p.setFont(f);
                }
                const QColor pal[5] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::magenta};
                for (int s = 0; s < 5; ++s)
                    p.fillRect(100 + 22 * s, y + 166, 18, 17, pal[s]);
                skin.Draw(p, "Skins/MultiColor.png", 210, y + 166);
                p.setPen(Qt::white);
                p.drawRect(100 + 22 * 1 - 1, y + 165, 19, 18);
                p.drawText(QRect(24, y + 166, 70, 17), Qt::AlignVCenter, "Mouse Color");
            }
            if (i == 2)
                skin.Draw(p, "Skins/USBReportRate/1000HZ.png", 57, y + 5);
            if (i == 3) {
                skin.Draw(p, "Skins/MouseAttribute/Speed/7.png", 50, y + 20);
                p.drawText(QRect(5, y + 73, 45, 30), Qt::AlignRight | Qt::AlignVCenter, "Slow");
                p.drawText(QRect(192, y + 73, 45, 30), Qt::AlignLeft | Qt::AlignVCenter, "Fast");
            }
            QImage pane = Load(skin, panes[i]);
            y += pane.height();
        }
        y += 5;
    }
    p.restore();
    // The settings column's skinned scroll bar.
    QImage bar = Load(skin, "ScrollBar.png");
    if (!bar.isNull()) {
        p.drawImage(QRect(981, 32, 14, 14), bar, QRect(0, 0, 14, 14));
        p.drawImage(QRect(981, 46, 14, 533), bar, QRect(42, 0, 14, 14));
        p.drawImage(QRect(981, 579, 14, 14), bar, QRect(14, 0, 14, 14));
        p.drawImage(QRect(981, 46, 14, 200), bar, QRect(28, 14, 14, 14));
    }
    p.end();
    image.save(out.filePath(side ? "main-window-side.png" : "main-window-top.png"));
}

void WriteDialogs(const SkinImages& skin, const QDir& out)
{
    QImage sheet(1460, 660, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(kSheet);
    QPainter p(&sheet);
    QFont f = p.font();
    f.setPixelSize(13);
    p.setFont(f);
    // Key capture.
    p.save();
    p.translate(10, 10);
    skin.Draw(p, "skins/single-key.png", 0, 0);
    skin.Draw(p, "Skins\\button-close-normal.png", 352, 6);
    p.setPen(Qt::white);
    p.drawText(QRect(34, 103, 186, 20), Qt::AlignCenter, "Please assign a key");
    p.fillRect(74, 129, 76, 14, Qt::white);
    p.setPen(Qt::black);
    p.drawText(QRect(74, 129, 76, 14), Qt::AlignCenter, "Left Windows");
    skin.Draw(p, "Skins\\MacroManagement\\button-cancel-over.png", 244, 250);
    skin.Draw(p, "Skins\\MacroManagement\\button-cancel-normal.png", 314, 250);
    p.setPen(Qt::white);
    p.drawText(QRect(244, 250, 64, 25), Qt::AlignCenter, "Ok");
    p.drawText(QRect(314, 250, 64, 25), Qt::AlignCenter, "Cancel");
    p.restore();
    // Macro picker.
    p.save();
    p.translate(10, 320);
    skin.Draw(p, "macro-key.png", 0, 0);
    skin.Draw(p, "button-close-over.png", 352, 6);
    skin.Draw(p, "macro-key-dropdown-over.png", 42, 128);
    p.setPen(Qt::white);
    p.drawText(QRect(47, 128, 90, 16), Qt::AlignVCenter, "Macro 1");
    const char* modes[] = {"Macro runs one-time after pressing the button.",
                           "Macro runs endless loop until any button is pressed. ",
                           "Macro runs endless loop until button is released. "};
    for (int m = 0; m < 3; ++m) {
        skin.Draw(p, m == 1 ? "macro-key-radio-on.png" : "macro-key-radio-off.png", 220, 78 + 50 * m);
        QFont sm = f;
        sm.setPixelSize(11);
        p.setFont(sm);
        p.drawText(QRect(240, 70 + 50 * m, 150, 32), Qt::AlignVCenter | Qt::TextWordWrap, modes[m]);
        p.setFont(f);
    }
    skin.Draw(p, "MacroManagement/button-small-normal.png", 250, 250);
    skin.Draw(p, "MacroManagement/button-small-over.png", 314, 250);
    p.drawText(QRect(250, 250, 58, 25), Qt::AlignCenter, "OK");
    p.drawText(QRect(314, 250, 58, 25), Qt::AlignCenter, "Cancel");
    p.restore();
    // Macro manager.
    p.save();
    p.translate(420, 10);
    skin.Draw(p, "MacroManagement/MacroManagement.png", 0, 0);
    skin.Draw(p, "button-close-normal.png", 445, 22);
    p.setPen(Qt::white);
    QFont big = f;
    big.setPixelSize(16);
    p.setFont(big);
    p.drawText(QRect(50, 12, 300, 26), Qt::AlignVCenter, "Macro Manager");
    p.setFont(f);
    p.drawText(QRect(22, 60, 112, 18), Qt::AlignVCenter, "Select Macro");
    p.drawText(QRect(154, 60, 112, 18), Qt::AlignVCenter, "Keystroke Sequence");
    p.drawText(QRect(285, 60, 112, 18), Qt::AlignVCenter, "Options");
    const char* names[] = {"Macro 1", "Reload", "Combo"};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(21, 82 + 16 * i, 109, 16, i == 1 ? QColor(255, 237, 0) : QColor(145, 145, 145));
        p.setPen(Qt::black);
        p.drawText(QRect(26, 82 + 16 * i, 100, 16), Qt::AlignVCenter, names[i]);
    }
    const char* seq[] = {"A   Dn", "50 ms", "A   Up", "L-Button   Dn", "L-Button   Up"};
    for (int i = 0; i < 5; ++i) {
        p.fillRect(153, 82 + 16 * i, 109, 16, i == 1 ? QColor(255, 237, 0) : QColor(145, 145, 145));
        p.setPen(Qt::black);
        p.drawText(QRect(158, 82 + 16 * i, 100, 16), Qt::AlignVCenter, seq[i]);
    }
    skin.Draw(p, "MacroManagement/Record-over.png", 295, 87);
    p.setPen(Qt::white);
    QFont sm = f;
    sm.setPixelSize(11);
    p.setFont(sm);
    p.drawText(QRect(300, 87, 70, 24), Qt::AlignVCenter, "Start Recording");
    p.drawText(QRect(288, 124, 80, 40), Qt::AlignVCenter | Qt::TextWordWrap, "Record delay between keystrokes");
    skin.Draw(p, "MacroManagement/Check-on.png", 370, 144);
    skin.Draw(p, "MacroManagement/Check-off.png", 296, 314);
    p.drawText(QRect(314, 312, 80, 18), Qt::AlignVCenter, "Number of Loops");
    p.fillRect(298, 333, 81, 12, QColor(40, 40, 40));
    p.drawText(QRect(298, 333, 81, 12), Qt::AlignCenter, "1");
    p.setFont(f);
    skin.Draw(p, "MacroManagement/button-small-normal.png", 17, 367);
    skin.Draw(p, "MacroManagement/button-small-normal.png", 77, 367);
    skin.Draw(p, "MacroManagement/button-ok-over.png", 298, 394);
    skin.Draw(p, "MacroManagement/button-ok-normal.png", 354, 394);
    p.drawText(QRect(17, 367, 58, 25), Qt::AlignCenter, "New");
    p.drawText(QRect(77, 367, 58, 25), Qt::AlignCenter, "Delete");
    p.drawText(QRect(298, 394, 54, 28), Qt::AlignCenter, "OK");
    p.drawText(QRect(354, 394, 54, 28), Qt::AlignCenter, "Cancel");
    p.restore();
    // Profile pane.
    p.save();
    p.translate(930, 10);
    skin.Draw(p, "Config/Config.png", 0, 0);
    skin.Draw(p, "button-close-normal.png", 240, 8);
    const char* profiles[] = {"Profile 1", "Game", "Work"};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(0, 31 + 18 * i, 263, 18, i == 0 ? QColor(255, 237, 0) : QColor(145, 145, 145));
        p.setPen(Qt::black);
        p.drawText(QRect(5, 31 + 18 * i, 250, 18), Qt::AlignVCenter, profiles[i]);
    }
    skin.Draw(p, "Config/New-Config-over.png", 0, 575);
    skin.Draw(p, "Config/Del-Config.png", 110, 575);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 575, 100, 23), Qt::AlignCenter, "New");
    p.drawText(QRect(110, 575, 120, 23), Qt::AlignCenter, "Delete");
    p.restore();
    // Splash.
    p.end();
    sheet.save(out.filePath("dialogs.png"));
}

// Every control of the toolkit in each of its states, grabbed off screen.
void WriteControls(const SkinImages& skin, const QDir& out)
{
    QWidget host;
    host.setFixedSize(900, 580);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(28, 30, 35));
    pal.setColor(QPalette::WindowText, Qt::white);
    host.setPalette(pal);
    host.setAutoFillBackground(true);

    auto caption = [&](int x, int y, const QString& text) {
        auto* l = new QWidget(&host);
        l->setGeometry(x, y, 200, 14);
        l->setProperty("text", text);
    };
    (void)caption;

    // Image buttons: normal, hover, pressed, disabled, toggle off and on.
    const char* looks[] = {"normal", "hover", "pressed", "disabled", "toggle", "toggle on"};
    std::vector<CBitmapBtn*> buttons;
    for (int i = 0; i < 6; ++i) {
        auto* b = new CBitmapBtn(&host);
        b->setGeometry(20 + 150 * i, 30, 57, 30);
        b->SetBitmaps(skin, 0, 0, 57, 30, "skins/button-cancel-normal.png", "skins/button-cancel-over.png",
                      "skins/button-cancel-leave.png", "skins/button-save-leave.png");
        b->SetCaptionFont("DejaVu Sans", 11, 550);
        b->SetCaption(QString::fromLatin1(looks[i]));
        b->SetAlignment(CBitmapBtn::AlignCentre);
        buttons.push_back(b);
    }
    buttons[3]->setEnabled(false);
    buttons[4]->SetToggleMode(true);
    buttons[5]->SetToggleMode(true);
    buttons[5]->SetToggleChecked(true);
    buttons[2]->setDown(true);

    // Assignment boxes.
    for (int i = 0; i < 2; ++i) {
        auto* b = new CBitmapBtn(&host);
        b->setGeometry(20 + 150 * i, 80, 130, 16);
        b->SetBitmaps(skin, 0, 0, 130, 16, "skins/ButtonAssignment/DropdownBox-normal.png",
                      "skins/ButtonAssignment/DropdownBox-over.png", "skins/ButtonAssignment/DropdownBox-over.png",
                      "skins/ButtonAssignment/DropdownBox-normal.png");
        b->SetCaption(i == 0 ? "Click" : "Assign Keyboard Key-Caps Lock");
        b->SetCaptionFont("DejaVu Sans", 12, 400);
        buttons.push_back(b);
    }

    // Sliders: horizontal at levels 1..6 and vertical at several positions.
    const QImage hEmpty = RegionCopy(Load(skin, "\\skins\\StageSlider\\1.png"), 1, 0, 128, 11);
    const QImage hFilled = RegionCopy(Load(skin, "\\skins\\StageSlider\\10.png"), 1, 0, 128, 11);
    for (int level = 1; level <= 6; ++level) {
        auto* s = new CDMarker(&host);
        s->Create(QRect(20 + 140 * (level - 1), 130, 128, 8), 2036 + level);
        s->SetRange(1, 6);
        s->SetPos(level);
        s->SetTrackImages(hEmpty, hFilled);
    }
    const QImage xyEmpty = RegionCopy(Load(skin, "\\skins\\XYSensitivity\\1.png"), 0, 0, 208, 9);
    const QImage xyFilled = RegionCopy(Load(skin, "\\skins\\XYSensitivity\\2.png"), 0, 0, 208, 9);
    for (int i = 0; i < 3; ++i) {
        auto* s = new CDMarker(&host);
        s->Create(QRect(20 + 230 * i, 160, 208, 9), 2025);
        s->SetRange(1, 11);
        s->SetPos(1 + 5 * i);
        s->SetTrackImages(xyEmpty, xyFilled);
    }
    const QImage vEmpty = RegionCopy(Load(skin, "\\skins\\DPISetting\\DPIStage\\0.png"), 0, 0, 7, 169);
    const QImage vFilled = RegionCopy(Load(skin, "\\skins\\DPISetting\\DPIStage\\82.png"), 0, 0, 7, 169);
    for (int i = 0; i < 7; ++i) {
        auto* s = new CDMarkerV(&host);
        s->Create(QRect(30 + 30 * i, 200, 7, 170), 2027 + i);
        s->SetRange(1, 120);
        s->SetPos(1 + i * 20);
        s->SetTrackImages(vEmpty, vFilled);
    }

    // List box with a selected and a hovered item, and an open editor.
    auto* list = new CListBoxPro(&host);
    list->setGeometry(260, 200, 150, 150);
    for (const char* t : {"Profile 1", "Game", "Work", "Copy Work", "A & B (left)"})
        list->addItem(t);
    list->setCurrentRow(1);
    auto* list2 = new CListBoxPro(&host);
    list2->setGeometry(430, 200, 150, 150);
    for (const char* t : {"A   Dn", "50 ms", "A   Up"})
        list2->addItem(t);

    // Scroll bars in each look: plain, and one wrapping a list.
    const QImage skinBar = Load(skin, "ScrollBar.png");
    auto* scrolled = new QListWidget(&host);
    scrolled->setGeometry(600, 200, 150, 150);
    for (int i = 0; i < 40; ++i)
        scrolled->addItem(QStringLiteral("Line %1").arg(i + 1));
    CSkinScrollWnd::Wrap(scrolled, skinBar);
    QScrollBar model(Qt::Vertical);
    model.setRange(0, 100);
    model.setPageStep(20);
    model.setValue(30);
    QScrollBar hmodel(Qt::Horizontal);
    hmodel.setRange(0, 100);
    hmodel.setPageStep(40);
    hmodel.setValue(60);
    for (int i = 0; i < 3; ++i) {
        auto* bar = new CSkinScrollBar(Qt::Vertical, &host);
        bar->setGeometry(780 + 30 * i, 200, 14, 150);
        bar->SetSkin(skinBar);
        bar->SetTarget(&model);
    }
    auto* hbar = new CSkinScrollBar(Qt::Horizontal, &host);
    hbar->setGeometry(600, 370, 280, 14);
    hbar->SetSkin(skinBar);
    hbar->SetTarget(&hmodel);

    host.show();
    QApplication::processEvents();
    // States that need the mouse: hover the second button and list items.
    auto move = [](QWidget* w, QPoint at) {
        QEnterEvent enter(at, w->mapToGlobal(at), w->mapToGlobal(at));
        QApplication::sendEvent(w, &enter);
        QMouseEvent mv(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &mv);
    };
    move(buttons[1], QPoint(20, 10));
    move(buttons[6], QPoint(20, 8));
    move(list->viewport(), list->ItemRect(3).center());
    move(list2->viewport(), list2->ItemRect(2).center());
    auto bars = host.findChildren<CSkinScrollBar*>();
    for (CSkinScrollBar* bar : bars) {
        if (bar->Target() != &model)
            continue;
        static int n = 0;
        if (n == 1)
            move(bar, QPoint(7, 7));
        if (n == 2) {
            const int at = bar->Layout().thumbStart + 2;
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, at), bar->mapToGlobal(QPointF(7, at)),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(bar, &press);
        }
        ++n;
    }
    CLBEditorWnd::Open(list2, 1, CLBEditorWnd::Mode::Numeric, 1006);
    QApplication::processEvents();
    QImage shot = host.grab().toImage();
    {
        QPainter p(&shot);
        QFont f = p.font();
        f.setPixelSize(11);
        p.setFont(f);
        p.setPen(QColor(200, 200, 205));
        p.drawText(20, 20, "CBitmapBtn: normal, hover, pressed, disabled, toggle off, toggle on");
        p.drawText(20, 122, "CDMarker 1..6 over 128 px (full from level 5), axis slider at 1, 6, 11");
        p.drawText(20, 192, "CDMarkerV 1..120");
        p.drawText(260, 192, "CListBoxPro: selected, hovered; open editor");
        p.drawText(600, 192, "CSkinScrollWnd, CSkinScrollBar normal/hover/pressed");
    }
    // The menu, drawn on its own.
    CExMenu menu;
    CExMenu sub;
    for (int id : {2020, 2021, 2022})
        sub.AppendItem(id, id == 2020 ? "DPI +" : id == 2021 ? "DPI -" : "DPI Loop");
    sub.SetItemWidth(90);
    menu.AppendItem(2001, "Click");
    menu.AppendItem(1, "hidden");
    menu.AppendItem(2002, "Menu");
    menu.AppendItem(2048, "");
    menu.AppendItem(2010, "Snipe");
    menu.SetItemMarks(2010, true, false);
    menu.AppendItem(2011, "Lumeno");
    menu.SetItemMarks(2011, false, true);
    menu.AppendItem(0, "DPI Setting +", &sub);
    menu.AppendItem(2013, "Deactivated");
    menu.SetItemWidth(130);
    menu.setActiveAction(menu.ActionFor(2002));
    menu.adjustSize();
    menu.show();
    QApplication::processEvents();
    menu.setActiveAction(menu.ActionFor(2002));
    QApplication::processEvents();
    const QImage menuShot = menu.grab().toImage();
    menu.hide();
    {
        QPainter p(&shot);
        p.drawImage(QPoint(20, 395), menuShot);
        p.setPen(QColor(200, 200, 205));
        p.drawText(20 + menuShot.width() + 10, 410,
                   "CExMenu: selected item, separator, alternate colour, TM mark, submenu");
    }
    shot.save(out.filePath("controls.png"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: skin-gallery <inventory.tsv> <Skins folder> <output folder>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    const SkinInventory inventory = ParseSkinInventory(in);
    const QDir skinDir(QString::fromLocal8Bit(argv[2]));
    QDir appDir = skinDir;
    appDir.cdUp();
    const SkinImages skin(appDir.absolutePath().toStdString());
    QDir().mkpath(QString::fromLocal8Bit(argv[3]));
    const QDir out(QString::fromLocal8Bit(argv[3]));
    const int pages = WriteImageSheets(inventory, skin, out);
    WriteMainWindow(skin, out, false, 1);
    WriteMainWindow(skin, out, true, 4);
    WriteDialogs(skin, out);
    WriteControls(skin, out);
    std::printf("skin-gallery: %d image sheets and 4 composed sheets in %s\n", pages, argv[3]);
    return 0;
}
