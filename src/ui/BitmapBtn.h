#pragma once
// The image button (CBitmapBtn): four looks cut from the same region of four
// skin images (normal, hover, pressed, disabled), an optional caption drawn
// over them, hover tracking, and a toggle mode. Every mouse move over the
// button and every release is also passed on to the parent (signals
// mouseMovedOver and leftButtonReleased), so parents can follow the pointer
// over their buttons.
#include "ui/ButtonLook.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <string_view>

namespace lumeno {

class SkinImages;

class CBitmapBtn : public QAbstractButton {
    Q_OBJECT
public:
    enum Alignment { AlignCentre = 0, AlignLeft = 1, AlignRight = 2 };

    explicit CBitmapBtn(QWidget* parent = nullptr);

    void SetIdentifier(int id) { id_ = id; }
    int Identifier() const { return id_; }

    // Cuts the region (x1, y1)-(x2, y2) out of four images; a missing image
    // leaves that look blank. Also drops the focus frame and tab stop.
    void SetBitmaps(int x1, int y1, int x2, int y2, const QImage& normal, const QImage& hover, const QImage& pressed,
                    const QImage& disabled);
    void SetBitmaps(const SkinImages& skin, int x1, int y1, int x2, int y2, std::string_view normal,
                    std::string_view hover, std::string_view pressed, std::string_view disabled);

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetCaptionFont(const QString& face, int pixelHeight, int weight = 550);
    const QFont& CaptionFont() const { return captionFont_; }
    // Where the caption is drawn, in the button's coordinates.
    QRect CaptionRect() const;
    // The caption shows whole on one line, without an ellipsis.
    bool CaptionFits() const;
    // Gives the caption font the largest pixel height from largest down to
    // smallest at which the caption fits (smallest when none does); face and
    // weight stay. Returns that height.
    int FitCaption(int largest, int smallest);
    void SetCaptionColours(QColor normal, QColor hover, QColor disabled, QColor pressed);
    void SetAlignment(int alignment, int indent = 0);
    void SetMultiLine(bool multiLine);
    void SetHoverStartColumn(int column) { hoverStartColumn_ = column; }
    void SetKeepHoverWhenInactive(bool keep);
    void SetToggleMode(bool toggle);
    void SetToggleChecked(bool checked);
    bool IsToggleChecked() const { return checked_; }
    bool IsHovered() const { return hover_; }
    ButtonLook CurrentLook() const;

signals:
    // Toggle mode: a release flipped the checked flag.
    void toggleCommand(int identifier);
    // Every mouse move over the button, with the cursor's screen position.
    void mouseMovedOver(QPoint globalPosition);
    // Every left-button release on the button.
    void leftButtonReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetHover(bool hover);

    int id_ = 0;
    std::array<QImage, 4> looks_; // indexed by ButtonLook
    QString caption_;
    QFont captionFont_;
    std::array<QColor, 4> captionColours_; // indexed by ButtonLook
    int alignment_ = AlignLeft;
    int indent_ = 0;
    bool multiLine_ = false;
    bool hover_ = false;
    int hoverStartColumn_ = 0;
    bool keepHoverWhenInactive_ = true;
    bool toggleMode_ = false;
    bool checked_ = false;
};

} // namespace lumeno
