#include "tfrmabout.h"

#include "app/aboutreport.h"
#include "platform/machineregistry.h"
#include "programicon.h"
#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

namespace {

QFont fontOf(const QStringList &families, int pixels, bool bold = false)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFrame *bevel(QFrame::Shadow shadow, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(1);
    return frame;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent, FactsSource facts)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_facts(std::move(facts))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Leafstack"));
    setFont(fontOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 13));
    setFixedSize(299, 347);

    // A lowered outer and a raised inner bevel around everything.
    QFrame *outer = bevel(QFrame::Sunken, this);
    QFrame *panel = bevel(QFrame::Raised, outer);
    panel->setObjectName(QStringLiteral("pnlAbout"));
    auto *outerLayout = new QVBoxLayout(this);
    outerLayout->setContentsMargins(0, 0, 0, 0);
    outerLayout->addWidget(outer);
    auto *panelHolder = new QVBoxLayout(outer);
    panelHolder->setContentsMargins(1, 1, 1, 1);
    panelHolder->addWidget(panel);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->addWidget(buildHeading());
    layout->addWidget(buildReport(), 1);
    buildToolBar();
    layout->addWidget(m_bar, 0, Qt::AlignHCenter);
}

QLabel *TfrmAbout::makeLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel *TfrmAbout::label(const char *name) const
{
    return findChild<QLabel *>(QLatin1String(name));
}

QWidget *TfrmAbout::buildHeading()
{
    auto *heading = new QWidget(this);
    auto *grid = new QGridLayout(heading);
    grid->setContentsMargins(0, 0, 0, 0);
    QLabel *image = makeLabel("imgAbout");
    image->setPixmap(ProgramIcon::icon()
                             .pixmap(QSize(64, 64))
                             .scaled(37, 41, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    image->setFixedSize(37, 41);
    QLabel *name = makeLabel("lblName", QStringLiteral("Leafstack"));
    name->setFont(fontOf({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                          QStringLiteral("Nimbus Sans Narrow")},
                         28, true));
    QLabel *version =
            makeLabel("lblVersion",
                      QStringLiteral("Version %1 for Linux").arg(QLatin1String(LEAFSTACK_VERSION)));
    name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(image, 0, 0, 2, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(name, 0, 1);
    grid->addWidget(version, 1, 1);
    return heading;
}

QWidget *TfrmAbout::buildReport()
{
    auto *box = new QFrame(this);
    box->setObjectName(QStringLiteral("bvlAbout"));
    box->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto *grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(4);
    const auto row = [&](int at, const char *caption, const QString &text, const char *value) {
        if (caption)
            grid->addWidget(makeLabel(caption, text), at, 0, Qt::AlignTop);
        QLabel *shown = makeLabel(value);
        shown->setWordWrap(true);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(shown, at, 1, Qt::AlignTop);
    };
    row(0, "lblRegistered", QStringLiteral("Registered To:"), "lblRegOwner");
    row(1, nullptr, QString(), "lblRegOrganization");
    grid->setRowMinimumHeight(2, 8);
    grid->addWidget(makeLabel("lblResources", QStringLiteral("Resources:")), 3, 0, 1, 2);
    row(4, "lblGDI", QStringLiteral("Processor:"), "lblFreeGDI");
    row(5, "lblSystem", QStringLiteral("Operating System:"), "lblFreeSystem");
    row(6, "lblUser", QStringLiteral("Version:"), "lblFreeUser");
    row(7, "lblBuild", QStringLiteral("Build:"), "lblDisBuild");
    grid->setRowStretch(8, 1);
    return box;
}

void TfrmAbout::buildToolBar()
{
    m_close = new QAction(QStringLiteral("Close About Box"), this);
    m_close->setObjectName(QStringLiteral("btnOK"));
    connect(m_close, &QAction::triggered, this, &TfrmAbout::btnOKClick);
    m_bar = new TSpeedBar(this);
    m_bar->setObjectName(QStringLiteral("barAbout"));
    m_bar->setAlign(TSpeedBar::alBottom);
    m_bar->setBtnSize(40, 40);
    TSpeedItem *item =
            m_bar->AddItem(m_bar->AddSection(QStringLiteral("File")), QStringLiteral("btnOK"),
                           m_close, QStringLiteral("Close"), QStringLiteral("Close About Box"));
    item->setHint(QStringLiteral("Close About Box"));
    // Drawn in the palette's colours: the style's own picture is black on any palette.
    item->setGlyph(SpeedbarGlyphs::icon(QStringLiteral("Close")));
}

// Return, Space and Escape close the box, wherever the focus is.
void TfrmAbout::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            btnOKClick();
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

bool TfrmAbout::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TfrmAbout::FormActivate()
{
    const SystemFacts facts = m_facts();
    const AboutReport report = AboutReport::fill(MachineRegistry(facts), facts);
    label("lblRegOwner")->setText(report.owner);
    label("lblRegOrganization")->setText(report.organization);
    label("lblFreeGDI")->setText(report.processor);
    label("lblFreeSystem")->setText(report.system);
    label("lblFreeUser")->setText(report.version);
    label("lblDisBuild")->setText(report.build);
}

void TfrmAbout::btnOKClick()
{
    accept();
}
