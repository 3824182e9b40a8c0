#include "favoritespage.h"

#include "base/dialogfilter.h"
#include "base/ui/appmessagebox.h"
#include "controls/ui/tfnplistbox.h"
#include "preferences/favoriterows.h"
#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QFileDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <tuple>

const QString FavoritesPage::BrowseFilter = QStringLiteral("Executable Files|*.exe|All Files|*.*");

FavoritesPage::FavoritesPage(QWidget *parent)
    : QWidget(parent)
    , m_list(new TFnpListBox(this))
{
    setObjectName(QStringLiteral("tabFavorite"));
    m_list->setObjectName(QStringLiteral("lstFavFiles"));
    m_list->Cols()->add()->setWidth(500);
    m_list->setDelimChar(QLatin1Char('\t'));
    m_list->setLBStyle(TFnpListBox::lbsItemHeightVariable);
    // Rows as tall as the list's font needs, or descenders and underscores are cut off.
    m_list->OnMeasureItem = [this](int, int &height) {
        height = std::max(height, m_list->fontMetrics().height() + 2);
    };
    m_list->setHScrollBar(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    buildToolBar();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemClicked, this, &FavoritesPage::lstFavFilesClick);
    connect(m_list, &QListWidget::currentRowChanged, this, &FavoritesPage::lstFavFilesClick);
}

void FavoritesPage::buildToolBar()
{
    m_delete = new QAction(QStringLiteral("Delete Favorite File"), this);
    m_delete->setObjectName(QStringLiteral("btnDelFiles"));
    m_delete->setEnabled(false);
    connect(m_delete, &QAction::triggered, this, &FavoritesPage::btnDelFilesClick);
    m_browse = new QAction(QStringLiteral("Browse for Favorite File"), this);
    m_browse->setObjectName(QStringLiteral("btnBrowse"));
    connect(m_browse, &QAction::triggered, this, &FavoritesPage::btnBrowseClick);

    m_bar = new TSpeedBar(this);
    m_bar->setObjectName(QStringLiteral("barFavorites"));
    TSpeedbarSection *file = m_bar->AddSection(QStringLiteral("File"));
    for (auto [action, caption, glyph] :
         {std::tuple{m_delete, QStringLiteral("Delete"), QStringLiteral("Delete")},
          std::tuple{m_browse, QStringLiteral("Browse"), QStringLiteral("Open")}}) {
        TSpeedItem *item =
                m_bar->AddItem(file, action->objectName(), action, caption, action->text());
        item->setHint(action->text() + u'|');
        item->setGlyph(SpeedbarGlyphs::icon(glyph));
    }
}

void FavoritesPage::fill(const QStringList &favorites)
{
    m_delete->setEnabled(false);
    m_list->clear();
    m_list->addItems(FavoriteRows::fromFavorites(favorites));
}

QStringList FavoritesPage::rows() const
{
    QStringList rows;
    for (int i = 0; i < m_list->count(); ++i)
        rows.append(m_list->item(i)->text());
    return rows;
}

QStringList FavoritesPage::favorites() const
{
    return FavoriteRows::toFavorites(rows());
}

void FavoritesPage::lstFavFilesClick()
{
    if (!m_list->selectedItems().isEmpty())
        m_delete->setEnabled(true);
}

QString FavoritesPage::chooseFile()
{
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setObjectName(QStringLiteral("dlgOpen"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = DialogFilter::toNameFilters(BrowseFilter);
    dialog.setNameFilters(filters);
    // Linux programs have no ".exe": the dialog opens on every file, the filter stays offered.
    dialog.selectNameFilter(filters.constLast());
    dialog.selectFile(QString());
    if (m_runFileDialog)
        return m_runFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FavoritesPage::btnBrowseClick()
{
    const QString chosen = chooseFile();
    if (chosen.isEmpty())
        return;
    QStringList current = rows();
    if (!FavoriteRows::add(current, chosen)) {
        message(QStringLiteral("You are only allowed to enter 8 favorite files!\rPlease delete "
                               "one or more to add to your favorite files."),
                false);
        return;
    }
    // The path keeps its case: on Linux it names another file otherwise.
    m_list->insertItem(FavoriteRows::sortedPosition(rows(), chosen), chosen);
}

void FavoritesPage::btnDelFilesClick()
{
    const int row = m_list->currentRow();
    if (row >= 0 && !m_list->selectedItems().isEmpty()) {
        const int answer = message(
                QStringLiteral("Are you sure you wish to delete this favorite file?"), true);
        if (answer == QMessageBox::Yes)
            delete m_list->takeItem(row);
    }
    m_list->clearSelection();
    m_list->setCurrentRow(-1);
    m_delete->setEnabled(false);
}

int FavoritesPage::message(const QString &text, bool question)
{
    std::unique_ptr<QMessageBox> box(
            AppMessageBox::create(this, AppMessageBox::Kind::Information, text));
    // The limit message has a single Yes button; the delete question Yes and No.
    box->setStandardButtons(question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Yes);
    box->setDefaultButton(QMessageBox::Yes);
    return m_runMessage ? m_runMessage(*box) : box->exec();
}
