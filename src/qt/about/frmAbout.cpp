#include "qt/about/frmAbout.h"

#include <QDesktopServices>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include "core/Twips.h"
#include "core/about/AboutTexts.h"
#include "platform/PlainFile.h"
#include "platform/x11/TaskbarHint.h"
#include "qt/FormStyle.h"

namespace revuro {

namespace {

constexpr const char* kBanner = ":/revuro/banner.bmp";
constexpr const char* kMailPointer = ":/revuro/mail.ico";
constexpr const char* kHomePagePointer = ":/revuro/network.ico";
constexpr int kPointerSize = 32;

// Colours are given as 0x00BBGGRR.
constexpr std::uint32_t kLinkColour = 0xC00000;    // dark blue
constexpr std::uint32_t kTextColour = 0x000000;    // black
constexpr std::uint32_t kShadowColour = 0x808080;  // grey
constexpr std::uint32_t kLightColour = 0xFFFFFF;   // white

void SetTextColour(QWidget* widget, std::uint32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ColorFromBgr(bgr));
    widget->setPalette(palette);
}

QLabel* MakeLabel(const char* name, const QString& text, const QRect& at, Qt::Alignment align,
                  QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(at);
    label->setAlignment(align | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// 宋体 9 pt is the box's own face and the link lines'. The layout's wrapping and heights were made
// for it.
QFont BoxFont(bool underline) {
    QFont font = SongFont(9);
    font.setUnderline(underline);
    return font;
}

QCursor PointerFrom(const char* icon) {
    return QCursor(QIcon(QString::fromLatin1(icon)).pixmap(kPointerSize, kPointerSize));
}

// A line control: a horizontal stroke of the given colour and width from the left edge.
QFrame* MakeLine(const char* name, int y, int toX, int width, std::uint32_t bgr, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setLineWidth(width);
    line->setGeometry(0, TwipsToPixels(y), TwipsToPixels(toX), width);
    SetTextColour(line, bgr);
    return line;
}

Outcome StartDetached(const std::string& path) {
    if (!QProcess::startDetached(QString::fromStdString(path), {})) {
        return Error{"the program could not be started", path};
    }
    return Ok();
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : frmAbout(&QDesktopServices::openUrl, parent) {}

frmAbout::frmAbout(UrlOpener openUrl, QWidget* parent)
    : QDialog(parent),
      codec_(NarrowCodec::ForLocale()),
      openUrl_(std::move(openUrl)),
      logic_(*this, registry_, codec_, &IsPlainFile, &StartDetached) {
    setObjectName("frmAbout");
    // A fixed box: title bar and close box only, no resizing, no minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(4560), TwipsToPixels(4290));
    setAttribute(Qt::WA_DeleteOnClose);  // closing unloads the form
    setFont(BoxFont(false));

    Picture1_ = new QLabel(this);
    Picture1_->setObjectName("Picture1");
    Picture1_->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1_->setPixmap(QPixmap(QString::fromLatin1(kBanner)));
    Picture1_->setGeometry(TwipsRect(0, 0, 4560, 1650));
    Picture1_->setFocusPolicy(Qt::StrongFocus);

    cmdOK_ = new QPushButton(QStringLiteral("确定"), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setGeometry(TwipsRect(3000, 3345, 1500, 345));
    cmdOK_->setDefault(true);

    cmdSysInfo_ = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    cmdSysInfo_->setObjectName("cmdSysInfo");
    cmdSysInfo_->setGeometry(TwipsRect(3000, 3795, 1485, 345));

    const Qt::Alignment centre = Qt::AlignHCenter;
    Label1_ = {
        MakeLabel("Label1_0", QString::fromStdString(AuthorCaption()),
                  TwipsRect(0, 2160, 4485, 225), centre, this),
        MakeLabel("Label1_1", QString::fromStdString(HomePageCaption()),
                  TwipsRect(0, 2400, 4485, 225), centre, this),
        MakeLabel("Label1_2", QString::fromStdString(MailCaption()), TwipsRect(0, 2640, 4485, 225),
                  centre, this),
        MakeLabel("Label1_3", QStringLiteral("免费软件，祝您使用的愉快！"),
                  TwipsRect(0, 2880, 4485, 225), centre, this),
    };
    for (QLabel* link : {Label1_[1], Label1_[2]}) {
        link->setFont(BoxFont(true));
        SetTextColour(link, kLinkColour);
    }
    Label1_[1]->setCursor(PointerFrom(kHomePagePointer));
    Label1_[2]->setCursor(PointerFrom(kMailPointer));
    for (QLabel* label : Label1_) label->installEventFilter(this);

    // Grey over a wider white stroke: an etched rule above the buttons.
    Line1_ = {
        MakeLine("Line1_0", 3240, 5549, 2, kLightColour, this),
        MakeLine("Line1_1", 3240, 5564, 1, kShadowColour, this),
    };
    Line1_[1]->raise();

    lblTitle_ = MakeLabel("lblTitle", QStringLiteral("应用程序标题"), TwipsRect(0, 1680, 4485, 240),
                          centre, this);
    SetTextColour(lblTitle_, kTextColour);
    lblVersion_ = MakeLabel("lblVersion", QStringLiteral("版本"), TwipsRect(0, 1920, 4485, 225),
                            centre, this);
    lblDisclaimer_ = MakeLabel(
        "lblDisclaimer",
        QStringLiteral("欢迎您提出改进的意见和建议！如果您在使用中遇到任何问题，您可以发邮件给我，"
                       "或者到我的主页留言！"),
        TwipsRect(135, 3345, 2670, 825), Qt::AlignLeft, this);
    lblDisclaimer_->setWordWrap(true);
    SetTextColour(lblDisclaimer_, kTextColour);

    // Labels take no focus: Tab goes round the two buttons and the banner.
    setTabOrder(cmdOK_, cmdSysInfo_);
    setTabOrder(cmdSysInfo_, Picture1_);
    cmdOK_->setFocus();

    connect(cmdOK_, &QPushButton::clicked, this, [this] { logic_.cmdOK_Click(); });
    connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { logic_.cmdSysInfo_Click(); });

    logic_.Form_Load();
}

void frmAbout::showEvent(QShowEvent* event) {
    // Before the window is mapped: the hint counts only then.
    if (!event->spontaneous()) KeepOffTaskbar(*this);
    QDialog::showEvent(event);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // cmdOK is the cancel button as well: Esc presses it wherever the focus is.
    if (event->matches(QKeySequence::Cancel)) {
        cmdOK_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    const qsizetype index = label ? Label1_.indexOf(label) : -1;
    if (index < 0) return QDialog::eventFilter(watched, event);

    // A click is a press and a release of the left button on the same label.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) pressedLabel_ = label;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = mouse->button() == Qt::LeftButton && pressedLabel_ == label &&
                           label->rect().contains(mouse->position().toPoint());
        pressedLabel_ = nullptr;
        if (click) logic_.Label1_Click(static_cast<std::int16_t>(index));
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

void frmAbout::SetTitleText(const std::string& text) {
    lblTitle_->setText(QString::fromStdString(text));
}

void frmAbout::SetVersionText(const std::string& text) {
    lblVersion_->setText(QString::fromStdString(text));
}

void frmAbout::Unload() { close(); }

void frmAbout::ShowMessage(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, this);
    box.exec();
}

void frmAbout::OpenAddress(const std::string& address) {
    // A link that cannot be opened is ignored: there is nothing the user could do about it.
    openUrl_(QUrl(QString::fromStdString(address)));
}

}  // namespace revuro
