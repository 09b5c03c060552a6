#include "form1.h"

#include "images.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>

using suma::twipsRect;
using suma::twipsToPixels;

namespace {

// The fonts the design names are Windows fonts. Where they are missing, these stand in; each
// has every Lithuanian letter. Liberation Sans keeps the narrow lines of the small sans serif,
// DejaVu Sans the wide, open letters of the screen font of the button.
void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

// Fusion, Qt's style where the desktop names none, draws a group box's frame from a PNG of its
// own, read through QPixmap's cache at the first paint. Read that way, its format guessed, it
// makes Qt load every image-format plugin there is, only to ask each whether the file is its
// own. Put in the cache here, read as the window's pictures are, it is found there instead.
void cacheGroupBoxFrame(const QStyle &style)
{
    if (style.name().compare(u"fusion", Qt::CaseInsensitive) != 0)
        return;
    const QFileInfo file(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    if (!file.exists())
        return;
    // The key QPixmap::load files it under: the path, then the time, the size and the pixmap
    // type (0, a pixmap), each number as its bytes in memory, each byte low digit first. Should
    // a Qt file it otherwise, tst_lifecycle finds the plugins loaded.
    const auto hex = [](auto number) {
        const char digits[] = "0123456789abcdef";
        const auto *bytes = reinterpret_cast<const unsigned char *>(&number);
        QString text;
        for (std::size_t i = 0; i < sizeof number; ++i) {
            text += QLatin1Char(digits[bytes[i] & 0xf]);
            text += QLatin1Char(digits[bytes[i] >> 4]);
        }
        return text;
    };
    const QString key = QStringLiteral("qt_pixmap") + file.absoluteFilePath()
                        + hex(uint(file.lastModified().toSecsSinceEpoch()))
                        + hex(quint64(file.size())) + hex(uint(0));
    QPixmapCache::insert(key, QPixmap::fromImage(suma::readPng(file.filePath())));
}

// A font of the design: regular weight, no italic, underline or strike-out (a new QFont's own).
QFont designFont(const QString &family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

// A picture box: its picture at natural size from the top-left corner, no border, and a click
// (left button pressed and released over it) that runs `onClick`. On a screen that scales by 2
// or more it shows the picture's "@2x" version, drawn at twice the pixels, at the same size.
class PictureBox final : public QLabel
{
public:
    // `resource`: the PNG at 100 % (":/picture1.png"); its "@2x" version lies beside it.
    PictureBox(const QString &resource, QWidget *parent) : QLabel(parent)
    {
        const QImage picture = suma::readPng(resource);
        m_size = picture.size();
        m_picture.addPixmap(QPixmap::fromImage(picture));
        // Only where a screen scales, as QIcon takes a file's "@2x" version (and, as QIcon,
        // not when QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING is set).
        if (qApp->devicePixelRatio() > 1
            && qEnvironmentVariableIsEmpty("QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING")) {
            const QString twice = QString(resource).insert(resource.lastIndexOf(u'.'), u"@2x");
            m_picture.addPixmap(QPixmap::fromImage(suma::readPng(twice)));
        }
        showPictureForScale();
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setFrameShape(QFrame::NoFrame);
        setMargin(0);
        setFocusPolicy(Qt::NoFocus);
    }

    std::function<void()> onClick;

protected:
    bool event(QEvent *event) override
    {
        // The window moved to a screen of another scale.
        if (event->type() == QEvent::ScreenChangeInternal)
            showPictureForScale();
        return QLabel::event(event);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_pressed = true;
        QLabel::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const bool click = m_pressed && event->button() == Qt::LeftButton
                           && rect().contains(event->position().toPoint());
        if (event->button() == Qt::LeftButton)
            m_pressed = false;
        QLabel::mouseReleaseEvent(event);
        if (click && onClick)
            onClick(); // last: it may close the window
    }

private:
    // QIcon hands out the version for the scale.
    void showPictureForScale() { setPixmap(m_picture.pixmap(m_size, devicePixelRatioF())); }

    QIcon m_picture;
    QSize m_size; // at 100 %
    bool m_pressed = false;
};

// A frame as the design draws one: its top line runs through the middle of its title, and the
// controls sit a title's height below its top, inside it. Qt's Windows style (and Windows) draw
// a frame so, and draw it here. Fusion, Qt's style where the desktop names none, puts the title
// above a frame whose top line lies a title's height lower, across the first row of controls:
// there the style's own frame is drawn raised to the middle of the title, the title set in past
// the corner and the line left open behind it. Which a style does is seen at the first paint,
// from where it draws the line. Colours, pictures and font stay the style's.
class Frame final : public QGroupBox
{
public:
    Frame(const QString &title, QWidget *parent) : QGroupBox(title, parent) {}

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
            m_raise.reset();
        QGroupBox::changeEvent(event);
    }

    void resizeEvent(QResizeEvent *event) override
    {
        m_raise.reset();
        QGroupBox::resizeEvent(event);
    }

    void paintEvent(QPaintEvent *event) override
    {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        const QRect title =
            style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
        if (!m_raise) {
            // Raised only where the line lies below the title, to the title's middle.
            const int line = topLine(option, (title.right() + width()) / 2);
            m_raise = line > title.bottom() ? line - title.center().y() : 0;
        }
        if (*m_raise == 0) {
            QGroupBox::paintEvent(event);
            return;
        }

        QStylePainter painter(this);
        QStyleOptionGroupBox frame = option;
        frame.subControls = QStyle::SC_GroupBoxFrame;
        frame.rect.setTop(option.rect.top() - *m_raise);
        // The line (and the shade along it) stops short of the title; below the line the
        // frame's inside goes on behind the title's lower half.
        QRect gap = title.translated(titleIndent, 0).adjusted(-2, 0, 2, 0);
        gap.setBottom(title.center().y() + 2);
        painter.save();
        painter.setClipRegion(QRegion(rect()) - gap);
        painter.drawComplexControl(QStyle::CC_GroupBox, frame);
        painter.restore();

        QStyleOptionGroupBox caption = option;
        caption.subControls &= ~QStyle::SC_GroupBoxFrame;
        painter.translate(titleIndent, 0);
        painter.drawComplexControl(QStyle::CC_GroupBox, caption);
    }

private:
    // In past the frame's corner, as far as the Windows style sets its titles in. (The window
    // is laid out left to right.)
    static constexpr int titleIndent = 8;

    // The row of the style's top line: the first row the style draws on, the frame alone drawn
    // on one column (`x`, clear of the title); -1 where it draws none there.
    int topLine(const QStyleOptionGroupBox &option, int x) const
    {
        QImage column(1, height(), QImage::Format_ARGB32_Premultiplied);
        column.fill(Qt::transparent);
        QPainter painter(&column);
        painter.translate(-x, 0);
        QStyleOptionGroupBox frame = option;
        frame.subControls = QStyle::SC_GroupBoxFrame;
        style()->drawComplexControl(QStyle::CC_GroupBox, &frame, &painter, this);
        painter.end();
        for (int y = 0; y < column.height(); ++y)
            if (qAlpha(column.pixel(0, y)) != 0)
                return y;
        return -1;
    }

    // How far the style's frame is drawn raised; known at the first paint.
    std::optional<int> m_raise;
};

// Assistive technology sees the window as a window (a frame, on Linux), not as the anonymous
// filler Qt makes of a top-level QWidget, so that a screen reader names it by its title.
QAccessibleInterface *windowAccessible(const QString &className, QObject *object)
{
    if (className == u"Form1" && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

// The window's whole design: positions and sizes in twips, relative to the frame for controls
// inside one; texts, fonts, colours, tooltips and the start state. Created in tab order.
void Form1::setupDesign()
{
    registerFontSubstitutes();
    cacheGroupBoxFrame(*style());
    QAccessible::installFactory(windowAccessible); // once: Qt keeps no factory twice

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(suma::applicationTitle.toString());
    setWindowIcon(suma::programIcon());
    // Title bar with the window menu and the close box; no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(5010), twipsToPixels(3570));

    // The dialog font the rows of the frames were measured for: 8 pt, the 17-pixel rows. The
    // desktop's own font is often wider or larger (9 pt DejaVu Sans would cut off "Visos raidės
    // didžiosios"), so the window names it rather than inherit it; the three controls with a
    // font of their own set it below.
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8));

    const auto name = [](QWidget *w, const char *objectName) {
        w->setObjectName(QLatin1StringView(objectName));
    };

    Text1 = new QLineEdit(this);
    name(Text1, "Text1");
    Text1->setGeometry(twipsRect(600, 1320, 1815, 495));
    Text1->setFont(designFont(QStringLiteral("MS Sans Serif"), 13.5));
    // Qt's own cap, 32,767 characters, far beyond any number: a paste of megabytes would
    // otherwise be laid out, painted and read whole, for seconds and gigabytes.
    Text1->setMaxLength(32767);
    Text1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Text1->setToolTip(QStringLiteral("Čia įrašyk skaičius"));
    // What a screen reader says of each control: the name, and the tooltip as its description.
    // A control with a caption of its own (the button, the frames, the option and check boxes)
    // is named by its caption.
    Text1->setAccessibleName(QStringLiteral("Skaičius"));

    Command1 = new QPushButton(QStringLiteral("&Pasakyk"), this);
    name(Command1, "Command1");
    Command1->setGeometry(twipsRect(2835, 1310, 1335, 615));
    Command1->setFont(designFont(QStringLiteral("Verdana"), 11.25));
    // Outside a dialog this makes no default button: Enter clicks it only while it has the
    // focus, as every push button does, and the window has neither default nor cancel button.
    Command1->setAutoDefault(true);
    Command1->setDefault(false);

    Frame3 = new Frame(QStringLiteral("Forma"), this);
    name(Frame3, "Frame3");
    Frame3->setGeometry(twipsRect(480, 120, 1575, 975));
    Option1 = new QRadioButton(QStringLiteral("Pinigai"), Frame3);
    name(Option1, "Option1");
    Option1->setGeometry(twipsRect(240, 220, 1215, 255));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("Skaičiai"), Frame3);
    name(Option2, "Option2");
    Option2->setGeometry(twipsRect(240, 560, 975, 255));
    // The group is one tab stop, at the selected button, whichever way it was selected. Qt
    // moves the stop only when a button of the group takes the focus.
    const auto tabStopAtSelection = [this] {
        for (QRadioButton *option : {Option1, Option2})
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    tabStopAtSelection();
    connect(Option1, &QRadioButton::toggled, this, tabStopAtSelection);

    Frame2 = new Frame(QStringLiteral("Raidės"), this);
    name(Frame2, "Frame2");
    Frame2->setGeometry(twipsRect(2160, 120, 2415, 975));
    Check1 = new QCheckBox(QStringLiteral("Pirma raidė didžioji"), Frame2);
    name(Check1, "Check1");
    Check1->setGeometry(twipsRect(240, 220, 1815, 255));
    Check1->setChecked(true);
    Check2 = new QCheckBox(QStringLiteral("Visos raidės didžiosios"), Frame2);
    name(Check2, "Check2");
    Check2->setGeometry(twipsRect(240, 560, 2000, 255));

    // The result frame is drawn like the other two, caption included: the label starts a
    // caption line below its top edge.
    Frame1 = new Frame(QStringLiteral("Suma žodžiais"), this);
    name(Frame1, "Frame1");
    Frame1->setGeometry(twipsRect(480, 1960, 4095, 1455));
    Label1 = new QLabel(Frame1);
    name(Label1, "Label1");
    Label1->setGeometry(twipsRect(60, 240, 3945, 1160));
    Label1->setFont(designFont(QStringLiteral("MS Sans Serif"), 9.75));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setFrameShape(QFrame::NoFrame);
    Label1->setMargin(0);
    // Opaque, in the window's colour, with pure blue text.
    QPalette labelColours = Label1->palette();
    labelColours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label1->setPalette(labelColours);
    Label1->setBackgroundRole(QPalette::Window);
    Label1->setAutoFillBackground(true);
    // Named by its frame's caption; the result is its description (see rodyk).
    Label1->setAccessibleName(QStringLiteral("Suma žodžiais"));

    auto *closer = new PictureBox(QStringLiteral(":/picture1.png"), this);
    closer->onClick = [this] { Picture1_Click(); };
    Picture1 = closer;
    name(Picture1, "Picture1");
    Picture1->setGeometry(QRect(twipsRect(4680, 3240, 315, 315).topLeft(),
                                Picture1->pixmap().deviceIndependentSize().toSize()));
    Picture1->setToolTip(QStringLiteral(" Užbaigti programą "));
    Picture1->setAccessibleName(QStringLiteral("Užverti"));
    Picture1->setAccessibleDescription(QStringLiteral("Užbaigti programą"));

    // A click on this one does nothing.
    Picture2 = new PictureBox(QStringLiteral(":/picture2.png"), this);
    name(Picture2, "Picture2");
    Picture2->setGeometry(QRect(twipsRect(30, 3240, 315, 315).topLeft(),
                                Picture2->pixmap().deviceIndependentSize().toSize()));
    Picture2->setToolTip(QStringLiteral(" Išverstą tekstą patalpina į Clipbord'ą "));
    Picture2->setAccessibleName(QStringLiteral("Iškarpinė"));
    Picture2->setAccessibleDescription(QStringLiteral("Išverstą tekstą patalpina į iškarpinę"));

    // Keyboard order: the input box, the button, the option group (one stop), the check boxes.
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Check1);
    setTabOrder(Check1, Check2);
    Text1->setFocus();

    // Centred on the screen it starts on. The frame the window manager adds is not known
    // before the window is shown, so it is the client area that is centred.
    if (const QScreen *where = screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        where->availableGeometry()));
}
