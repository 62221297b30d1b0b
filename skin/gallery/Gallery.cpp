// skin-gallery: contact sheets of the default skin and of the skinned
// controls in every state, for people to look at.
//   skin-gallery <inventory.tsv> <Skins folder> <output folder>
// Writes skin-images-N.png (every image of the inventory with its name),
// main-window-top.png and main-window-side.png (the real main window,
// grabbed offscreen), lighting-pane.png (its settings column), dialogs.png and controls.png.
#include "app/AppShell.h"
#include "app/MainWindowSkin.h"
#include "app/MouseConfigurationDlg.h"
#include "app/SettingsPanes.h"
#include "buttons/ButtonMap.h"
#include "config/ConfigFiles.h"
#include "flows/AppContext.h"
#include "ui/BitmapBtn.h"
#include "ui/DMarker.h"
#include "ui/ExMenu.h"
#include "ui/LBEditorWnd.h"
#include "ui/ListBoxPro.h"
#include "ui/MessageBox.h"
#include "ui/SkinImages.h"
#include "ui/SkinInventory.h"
#include "ui/SkinScrollBar.h"

#include "support/ProgramWorld.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

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

// What the real main window runs on, as the program builds it: a virtual
// mouse behind an in-process HID system, a temporary data folder, and the
// skin the sheets are drawn from.
struct MainWindowWorld : test::ProgramWorld {
    explicit MainWindowWorld(const SkinImages& skinImages) : skin(skinImages) {}
    const SkinImages& skin;
};

// Runs the event loop until done() holds; false after five seconds.
bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 5000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Clicks the assignment box of a row and saves the window as it paints.
bool GrabWithRowLit(CMouseConfigurationDlg& window, int row, const QString& file)
{
    QTest::mouseClick(window.AssignmentBox(ButtonIndexOfRow(row)), Qt::LeftButton);
    QApplication::processEvents();
    return window.HighlightedButton() == ButtonIndexOfRow(row) && window.grab().save(file);
}

// The settings column with the lighting pane open, breathing in the colour
// of swatch 3.
bool GrabLightingPane(AppShell& shell, const QString& file)
{
    CDlgadvance* column = shell.Window().SettingsColumn();
    column->CollapseAll();
    column->Toggle(1);
    QWidget* pane = column->Pane(1);
    // Each click sends the lighting; the window takes no input until it is sent.
    const auto idle = [&] {
        QApplication::processEvents();
        return WaitFor([&] { return !shell.Worker().Busy(); });
    };
    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(15, 53)); // "Respiration"
    if (!idle())
        return false;
    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(175, 174)); // swatch 3
    if (!idle())
        return false;
    // Down to the last shown header.
    QRect part = column->geometry();
    part.setHeight(column->Header(column->Layout().Count() - 2)->geometry().bottom() + 8);
    return shell.Window().grab(part).save(file);
}

// The real main window, shown from the tray with the left column's sections
// and the settings column's first item open: the top view with the first
// row's button lit, the side view with the fourth's.
bool WriteMainWindow(const SkinImages& skin, const QDir& out)
{
    MainWindowWorld world(skin);
    world.hid.AddMouse(world.mouse);
    world.ctx.device = &world.link;
    bool written = false;
    {
        AppShell shell(ShellServices{world.ctx, world.link, world.hid, world.text, world.skin});
        ShellOptions options;
        options.showSplash = false;
        if (shell.Initialise(options)) {
            shell.RestoreFromTray();
            CMouseConfigurationDlg& window = shell.Window();
            // Showing the window sends the lighting; the window takes no
            // input until it is sent.
            if (WaitFor([&] { return window.isVisible(); }) && WaitFor([&] {
                    QApplication::processEvents();
                    return !shell.Worker().Busy();
                })) {
                window.ToggleAssignmentSection();
                window.ToggleAxisSection();
                window.SettingsColumn()->Toggle(0);
                // A toggle of the settings column asks, queued, to clear the highlight.
                QApplication::processEvents();
                window.SelectView(MouseView::Top);
                written = GrabWithRowLit(window, 1, out.filePath("main-window-top.png"));
                window.SelectView(MouseView::Side);
                written = GrabWithRowLit(window, 4, out.filePath("main-window-side.png")) && written;
                written = GrabLightingPane(shell, out.filePath("lighting-pane.png")) && written;
            }
        }
    }
    world.ctx.device = nullptr;
    if (!written)
        std::fprintf(stderr, "skin-gallery: the main window did not open\n");
    return written;
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

    auto setLooks = [&skin](CBitmapBtn* b, const SkinnedButton& look) {
        const ButtonImages& i = look.images;
        b->SetBitmaps(skin, 0, 0, look.rect.Width(), look.rect.Height(), i.normal, i.hover, i.pressed, i.disabled);
    };
    // Image buttons (the reset button's looks): normal, hover, pressed,
    // disabled, toggle off and on.
    const char* looks[] = {"normal", "hover", "pressed", "disabled", "toggle", "toggle on"};
    std::vector<CBitmapBtn*> buttons;
    for (int i = 0; i < 6; ++i) {
        auto* b = new CBitmapBtn(&host);
        b->setGeometry(20 + 150 * i, 30, kResetButtonSkin.rect.Width(), kResetButtonSkin.rect.Height());
        setLooks(b, kResetButtonSkin);
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
        b->setGeometry(20 + 150 * i, 80, kAssignmentBoxSkin.rect.Width(), kAssignmentBoxSkin.rect.Height());
        setLooks(b, kAssignmentBoxSkin);
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
    const QImage xyEmpty = RegionCopy(Load(skin, kAxisTrackEmptyImage), 0, 0, kSliderWidth, kSliderHeight);
    const QImage xyFilled = RegionCopy(Load(skin, kAxisTrackFilledImage), 0, 0, kSliderWidth, kSliderHeight);
    for (int i = 0; i < 3; ++i) {
        auto* s = new CDMarker(&host);
        s->Create(QRect(20 + 230 * i, 160, kSliderWidth, kSliderHeight), kXSensitivitySliderId);
        s->SetRange(kAxisSliderMin, kAxisSliderMax);
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

// The message box as the program shows it: a question and a notice.
void WriteMessageBoxes(const SkinImages& skin, const QDir& out)
{
    const MessageTexts question{"ATTENTION!!", "Reset to factory default?", "OK", "Cancel", "Arial"};
    const MessageTexts notice{"Lumeno-KV580 Pro",
                              "Die Einstellungen konnten nicht in /home/anna/.config/Lumeno-KV580 Pro gespeichert "
                              "werden. Der Datenträger ist voll.",
                              "OK", "Abbrechen", "Arial"};
    CMessageBox first(skin, MessageButtons::OkCancel, question, nullptr);
    CMessageBox second(skin, MessageButtons::Ok, notice, nullptr);
    QImage sheet(first.width() + second.width() + 30, std::max(first.height(), second.height()) + 20,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(kSheet);
    QPainter p(&sheet);
    p.drawPixmap(10, 10, first.grab());
    p.drawPixmap(20 + first.width(), 10, second.grab());
    p.end();
    sheet.save(out.filePath("message-boxes.png"));
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
    const bool window = WriteMainWindow(skin, out);
    WriteDialogs(skin, out);
    WriteControls(skin, out);
    WriteMessageBoxes(skin, out);
    std::printf("skin-gallery: %d image sheets, the main window and 3 composed sheets in %s\n", pages, argv[3]);
    return window ? 0 : 1;
}
