// The photo ledger dialog: its controls, the grid's fill and read-back, the current row and the
// control states. The commands of its buttons, keys and menus are in ReportLocPhotoCommands.cpp.
#include "app/ledger/ReportLocPhotoDlg.h"

#include <QCheckBox>
#include <QChildEvent>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Prompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/ledger/CropFrame.h"
#include "app/ledger/LedgerOrder.h"
#include "app/ledger/LedgerPreview.h"
#include "app/photos/YearFirstDate.h"
#include "fe/img/Image.h"
#include "model/Project.h"
#include "view/ViewPhotoLink.h"

namespace app {
namespace {

const QString kHeaders[6] = {QStringLiteral("位置図\n写真\n番号"), QStringLiteral("変更後\n番号"),
                             QStringLiteral("写真"),                QStringLiteral("撮影日"),
                             QStringLiteral("撮影時刻"),            QStringLiteral("コメント\n")};

const QColor kWhite(255, 255, 255);
const QColor kThumbColumn(230, 230, 230);
const QColor kNumberColumn(255, 255, 207);
const QColor kCurrentNumber(255, 242, 0);
const QColor kLockedDate(225, 225, 225);
const QColor kEmptyArea(219, 255, 255);

constexpr int kThumbWidth = 65;
constexpr int kThumbHeight = 48;
constexpr int kPreviewBox = 2048;  // the preview shows the photo reduced into this box

}  // namespace

QString LedgerTitle(const QString& mapName, int entries)
{
    return QStringLiteral("写真台帳 %1 (%2枚)").arg(mapName).arg(entries);
}

CReportLocPhotoDlg::CReportLocPhotoDlg(CTavrelDoc& doc, LedgerHooks hooks, const QString& templatePath,
                                       QWidget* parent)
    : QDialog(parent), m_doc(doc), m_hooks(std::move(hooks)), m_templatePath(templatePath)
{
    setWindowTitle(QStringLiteral("写真台帳"));
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    (void)m_templates.Load(templatePath);
    BuildControls();
    FillGrid(true);
    SetCurrentRow(m_grid->Rows() > 0 ? 1 : 0);
    // The grid follows the entries and the photos whoever changed them, so that its rows are always the
    // map's: ↑ and ↓ swap the entries of the rows shown. A change of the maps themselves is the frame's
    // to follow, which binds the ledger to the map then current.
    connect(&m_doc, &CTavrelDoc::ProjectChanged, this, [this](ProjectChanges kinds) {
        if (!m_changing && !m_inFill && kinds != kWholeProject && !(kinds & ProjectChange::Maps) &&
            (kinds & (ProjectChange::PlacedPhotos | ProjectChange::Photos)))
            RefillKeepingEdits();
    });
}

CReportLocPhotoDlg::~CReportLocPhotoDlg()
{
    if (m_numbering)
        delete m_numbering.data();
}

void CReportLocPhotoDlg::BuildControls()
{
    auto button = [this](int id, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setObjectName(QStringLiteral("ctl%1").arg(id));
        m_controls.insert(id, b);
        return b;
    };
    auto check = [this](int id, const QString& text) {
        auto* c = new QCheckBox(text, this);
        c->setObjectName(QStringLiteral("ctl%1").arg(id));
        m_controls.insert(id, c);
        return c;
    };

    // Left: the preview with its turn and frame buttons.
    auto* left = new QVBoxLayout;
    auto* frameRow = new QHBoxLayout;
    frameRow->addWidget(check(kCtlAllowRotation, QStringLiteral("写真回転許可")));
    frameRow->addWidget(button(kCtlTurnLeft, QStringLiteral("左")));
    frameRow->addWidget(button(kCtlTurnRight, QStringLiteral("右")));
    frameRow->addSpacing(12);
    frameRow->addWidget(new QLabel(QStringLiteral("出力枠 "), this));
    frameRow->addWidget(button(kCtlFourByThree, QStringLiteral("4:3")));
    frameRow->addWidget(button(kCtlWholePicture, QStringLiteral("全体")));
    frameRow->addStretch(1);
    left->addLayout(frameRow);
    m_preview = new CLedgerPreview(this);
    m_preview->setObjectName(QStringLiteral("ctl1012"));
    m_preview->setMinimumSize(240, 200);
    left->addWidget(m_preview, 1);

    // Middle: the controls above the grid, the grid, " Excel出力".
    auto* middle = new QVBoxLayout;
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(check(kCtlAllowDateEdit, QStringLiteral("撮影日時編集許可")));
    topRow->addWidget(button(kCtlCommentCategory, QStringLiteral("コメント分類")));
    m_categoryLabel = new QLabel(this);
    m_categoryLabel->setObjectName(QStringLiteral("ctl1131"));
    topRow->addWidget(m_categoryLabel);
    topRow->addStretch(1);
    auto* hint = new QLabel(QStringLiteral("マウス右クリックでコメント一覧を表示"), this);
    hint->setObjectName(QStringLiteral("ctl1319"));
    topRow->addWidget(hint);
    middle->addLayout(topRow);
    m_grid = new CSpread7U(this);
    m_grid->setObjectName(QStringLiteral("ctl1016"));
    m_grid->SetCols(6);
    m_grid->SetCol(kColThumbnail);
    m_grid->SetColKind(SpreadCellKind::Picture);
    for (int col = 1; col <= 6; ++col)
        SetSpreadCellText(*m_grid, col, kSpreadHeader, kHeaders[col - 1]);
    m_grid->SetColWidth(kColNumber, 6);
    m_grid->SetColWidth(kColWorkNumber, 6);
    m_grid->setColumnWidth(kColThumbnail - 1, kThumbWidth + 4);
    m_grid->SetColWidth(kColDate, 11);
    m_grid->SetColWidth(kColTime, 8);
    m_grid->verticalHeader()->setDefaultSectionSize(kThumbHeight + 4);
    m_grid->setWordWrap(true);
    m_grid->SetEmptyAreaColor(kEmptyArea);
    m_grid->SetSetupFlag(10, false);
    m_grid->setMinimumWidth(520);
    m_grid->viewport()->installEventFilter(this);
    // A header click sorts (columns 1, 4, 5); it does not select the column.
    QHeaderView* header = m_grid->horizontalHeader();
    QObject::disconnect(header, SIGNAL(sectionPressed(int)), m_grid, nullptr);
    QObject::disconnect(header, SIGNAL(sectionEntered(int)), m_grid, nullptr);
    header->setHighlightSections(false);
    connect(header, &QHeaderView::sectionClicked, this, [this](int section) { OnHeaderClicked(section + 1); });
    middle->addWidget(m_grid, 1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(button(kCtlExcel, QStringLiteral(" Excel出力")));
    bottomRow->addStretch(1);
    middle->addLayout(bottomRow);

    // Right: numbering, help, moves, order, mouse sort, removal, close.
    auto* right = new QVBoxLayout;
    right->addWidget(button(kCtlNumbering, QStringLiteral("付番")));
    right->addWidget(button(kCtlHelp, QStringLiteral("?")));
    right->addWidget(button(kCtlUp, QStringLiteral("↑")));
    right->addWidget(button(kCtlDown, QStringLiteral("↓")));
    right->addWidget(new QLabel(QStringLiteral("ソート："), this));
    auto* directions = new QGridLayout;
    directions->addWidget(button(kCtlDirection1, QString()), 0, 0);
    directions->addWidget(button(kCtlDirection2, QString()), 0, 1);
    directions->addWidget(button(kCtlDirection3, QString()), 1, 0);
    directions->addWidget(button(kCtlDirection4, QString()), 1, 1);
    right->addLayout(directions);
    right->addWidget(check(kCtlMouseSort, QStringLiteral("マウスでソート")));
    right->addWidget(button(kCtlRunLineSort, QStringLiteral("実行")));
    right->addWidget(button(kCtlContactWidth, QStringLiteral("設定")));
    right->addStretch(1);
    right->addWidget(button(kCtlRemove, QStringLiteral("位置図から写真を外す")));
    right->addWidget(button(kCtlClose, QStringLiteral("閉じる")));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(middle, 0);
    layout->addLayout(right, 0);
    for (QAbstractButton* b : m_controls)
        b->setMinimumWidth(0);
    resize(1280, 640);

    const QStringList captions = LedgerDirectionCaptions(false);
    for (int k = 0; k < 4; ++k)
        m_controls[kCtlDirection1 + k]->setText(captions[k]);

    connect(m_grid, &CSpread7U::Change, this, &CReportLocPhotoDlg::OnCellChanged);
    // A move of the user's into the comment column opens the cell for typing, so that the template
    // menu of a right click and Ctrl+V work on the editor at once.
    connect(m_grid, &CSpread7U::LeaveCell, this, [this](int, int, int newCol, int newRow, bool*) {
        m_editOnArrival = newCol == kColComment && newRow >= 1;
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int col, int previousRow, int) {
        OnCurrentCellChanged(row + 1, previousRow + 1);
        const bool edit = m_editOnArrival && col + 1 == kColComment;
        m_editOnArrival = false;
        if (edit && !m_filling && row + 1 <= int(m_rows.size()) && !m_rows[size_t(row)].locked)
            m_grid->SetEditMode(true);
    });
    connect(m_grid, &CSpread7U::RightClick, this, [this](int kind, int col, int row, int x, int y) {
        if (kind == 0)
            OnRightClick(col, row, m_grid->viewport()->mapToGlobal(QPoint(x, y)));
    });
    connect(m_grid, &CSpread7U::KeyDown, this, &CReportLocPhotoDlg::OnKeyDown);
    connect(m_grid, &CSpread7U::TopLeftChange, this, [this] { LoadVisibleThumbnails(); });
    connect(m_preview, &CLedgerPreview::FrameEdited, this, &CReportLocPhotoDlg::SetCurrentFrame);

    connect(m_controls[kCtlUp], &QAbstractButton::clicked, this, [this] { MoveCurrent(true); });
    connect(m_controls[kCtlDown], &QAbstractButton::clicked, this, [this] { MoveCurrent(false); });
    for (int k = 0; k < 4; ++k)
        connect(m_controls[kCtlDirection1 + k], &QAbstractButton::clicked, this, [this, k] { OrderByDirection(k); });
    connect(m_controls[kCtlRemove], &QAbstractButton::clicked, this, &CReportLocPhotoDlg::RemoveCurrentPhoto);
    connect(m_controls[kCtlClose], &QAbstractButton::clicked, this, &CReportLocPhotoDlg::OnClose);
    connect(m_controls[kCtlCommentCategory], &QAbstractButton::clicked, this,
            &CReportLocPhotoDlg::ChooseCommentCategory);
    connect(m_controls[kCtlNumbering], &QAbstractButton::clicked, this, &CReportLocPhotoDlg::OpenNumberingDialog);
    connect(m_controls[kCtlTurnLeft], &QAbstractButton::clicked, this, [this] { TurnPhoto(true); });
    connect(m_controls[kCtlTurnRight], &QAbstractButton::clicked, this, [this] { TurnPhoto(false); });
    connect(m_controls[kCtlFourByThree], &QAbstractButton::clicked, this, [this] {
        Rect2 frame = m_preview->Frame();
        MakeCropFrameFourByThree(frame);
        SetCurrentFrame(frame);
    });
    connect(m_controls[kCtlWholePicture], &QAbstractButton::clicked, this, [this] {
        const QSize size = m_preview->FullSize();
        SetCurrentFrame(WholePictureFrame(size.width(), size.height()));
    });
    connect(m_controls[kCtlRunLineSort], &QAbstractButton::clicked, this, &CReportLocPhotoDlg::SortAlongLine);
    connect(m_controls[kCtlExcel], &QAbstractButton::clicked, this, [this] {
        if (m_hooks.exportList && Bound()) {
            ReadGrid();
            m_hooks.exportList(m_mapIndex, this);
        }
    });
    connect(m_controls[kCtlAllowRotation], &QAbstractButton::toggled, this, [this](bool on) {
        if (on)
            Inform(this, QStringLiteral("写真の回転は他の位置図と共有されています。\nご注意ください。"));
        UpdateControls();
    });
    connect(m_controls[kCtlAllowDateEdit], &QAbstractButton::toggled, this, [this](bool on) {
        if (on)
            Inform(this, QStringLiteral("撮影日/撮影時刻は他の位置図と共有されています。\nご注意ください。"));
        ApplyDateLock();
        ApplyColours();
        UpdateControls();
    });
    connect(m_controls[kCtlMouseSort], &QAbstractButton::toggled, this, [this](bool on) {
        m_lineSwitch = on;
        UpdateControls();
        if (m_hooks.refreshView)
            m_hooks.refreshView();
    });
    connect(m_controls[kCtlContactWidth], &QAbstractButton::clicked, this, &CReportLocPhotoDlg::EditContactWidth);
    connect(m_controls[kCtlHelp], &QAbstractButton::clicked, this, &CReportLocPhotoDlg::ShowHelp);
}

bool CReportLocPhotoDlg::Bound() const
{
    return m_mapIndex >= 0 && m_mapIndex < m_doc.GetProject().maps.Count();
}

const LocationMap* CReportLocPhotoDlg::Map() const
{
    return Bound() ? &m_doc.GetProject().maps.maps[size_t(m_mapIndex)] : nullptr;
}

void CReportLocPhotoDlg::SetLocationMap(int mapIndex)
{
    m_mapIndex = mapIndex;
    SetLedgerTitle();
    const bool webTiles = m_hooks.viewMode && m_hooks.viewMode() == 3;
    const QStringList captions = LedgerDirectionCaptions(webTiles);
    for (int k = 0; k < 4; ++k)
        m_controls[kCtlDirection1 + k]->setText(captions[k]);
}

void CReportLocPhotoDlg::SetLedgerTitle()
{
    if (const LocationMap* map = Map())
        setWindowTitle(LedgerTitle(map->name, map->photos.Count()));
}

void CReportLocPhotoDlg::FillGrid(bool keepRow)
{
    // Rebinding the renumbering dialog stores its fields, a change of the document the fill must not follow.
    const QScopedValueRollback<bool> filling(m_inFill, true);
    m_filling = true;
    const int kept = m_currentRow;
    m_grid->SetPainting(false);
    m_rows.clear();
    const LocationMap* map = Map();
    const int count = map ? map->photos.Count() : 0;
    m_grid->SetRows(0);  // every picture and colour of the last fill goes
    m_grid->SetRows(count);
    m_grid->SetCol(kColWorkNumber);
    m_grid->SetColHidden(!NumberingDialogShown());
    const PhotoList& photos = m_doc.GetProject().photos;
    for (int r = 1; r <= count; ++r) {
        const PlacedPhoto& entry = map->photos.entries[size_t(r - 1)];
        FilledRow filled;
        filled.photoId = entry.photoId;
        filled.workNumber = entry.workNumber;
        SetSpreadCellText(*m_grid, kColNumber, r, map->photos.NumberText(r - 1));
        SetSpreadCellText(*m_grid, kColWorkNumber, r, entry.workNumber);
        const PhotoRecord* photo = photos.Find(entry.photoId);
        filled.locked = !photo;
        if (photo) {
            filled.date = photo->date;
            filled.time = photo->time;
            filled.comment = entry.comment;
            SetSpreadCellText(*m_grid, kColDate, r, filled.date);
            SetSpreadCellText(*m_grid, kColTime, r, filled.time);
            SetSpreadCellText(*m_grid, kColComment, r, filled.comment);
        }
        m_rows.push_back(filled);
    }
    ApplyDateLock();
    m_firstThumb = m_lastThumb = 0;
    m_currentRow = keepRow && kept <= count ? kept : 0;
    if (m_currentRow > 0)
        m_grid->SetActiveCell(std::max(1, m_grid->ActiveCol()), m_currentRow);
    else
        m_grid->SetActiveCell(-1000, -1000);
    ApplyColours();
    WidenCommentColumn();
    m_grid->SetPainting(true);
    m_grid->viewport()->update();
    m_filling = false;
    LoadVisibleThumbnails();
    if (m_numbering && m_numbering->isVisible() && m_hooks.rebindNumberingDialog) {
        if (QWidget* numbering = m_hooks.rebindNumberingDialog(*this, m_numbering, m_mapIndex))
            m_numbering = numbering;
    }
    UpdateControls();
}

// Columns 1 and 3 are never typed into; 2 and 6 are open on rows with a photo; 4 and 5 only while date
// editing is allowed. A row whose photo is gone keeps only its working number.
void CReportLocPhotoDlg::ApplyDateLock()
{
    const bool dates = static_cast<QCheckBox*>(m_controls[kCtlAllowDateEdit])->isChecked();
    for (int r = 1; r <= int(m_rows.size()); ++r) {
        const bool locked = m_rows[size_t(r - 1)].locked;
        for (int col = 1; col <= 6; ++col) {
            bool lock = locked || col == kColNumber || col == kColThumbnail;
            if (col == kColWorkNumber)
                lock = false;
            if (col == kColDate || col == kColTime)
                lock = lock || !dates;
            m_grid->SetCol(col);
            m_grid->SetRow(r);
            m_grid->SetLock(lock);
        }
    }
}

void CReportLocPhotoDlg::ApplyColours()
{
    const int n = m_grid->Rows();
    if (n == 0)
        return;
    const bool dates = static_cast<QCheckBox*>(m_controls[kCtlAllowDateEdit])->isChecked();
    SetSpreadBlockBackColor(*m_grid, 1, 1, 6, n, kWhite);
    SetSpreadBlockBackColor(*m_grid, kColThumbnail, 1, kColThumbnail, n, kThumbColumn);
    SetSpreadBlockBackColor(*m_grid, kColNumber, 1, kColNumber, n, kNumberColumn);
    if (m_currentRow > 0 && m_currentRow <= n)
        SetSpreadBlockBackColor(*m_grid, kColNumber, m_currentRow, kColNumber, m_currentRow, kCurrentNumber);
    if (!dates)
        SetSpreadBlockBackColor(*m_grid, kColDate, 1, kColTime, n, kNumberColumn);
    for (int r = 1; r <= n && r <= int(m_rows.size()); ++r)
        if (m_rows[size_t(r - 1)].locked)
            SetSpreadBlockBackColor(*m_grid, kColDate, r, kColTime, r, kLockedDate);
}

void CReportLocPhotoDlg::WidenCommentColumn()
{
    // The comment column takes the room the other visible columns leave, at least 13 characters.
    int used = 0;
    for (int col = 1; col <= 5; ++col)
        if (!m_grid->isColumnHidden(col - 1))
            used += m_grid->columnWidth(col - 1);
    const int least = m_grid->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 13;
    m_grid->setColumnWidth(kColComment - 1, std::max(least, m_grid->viewport()->width() - 1 - used));
}

void CReportLocPhotoDlg::ReadGrid()
{
    if (!Bound() || m_filling)
        return;
    if (m_grid->EditMode())
        m_grid->SetEditMode(false);  // the editor's text goes into the cell (and is read below)
    struct Edit
    {
        int row;
        FilledRow now;
    };
    std::vector<Edit> edits;
    bool photoFields = false;
    bool refusedDate = false;
    bool refusedTime = false;
    const int rows = std::min<int>(m_grid->Rows(), int(m_rows.size()));
    for (int r = 1; r <= rows; ++r) {
        const FilledRow& filled = m_rows[size_t(r - 1)];
        FilledRow now = filled;
        now.workNumber = GetSpreadCellText(*m_grid, kColWorkNumber, r);
        if (!filled.locked) {
            now.date = GetSpreadCellText(*m_grid, kColDate, r);
            now.time = GetSpreadCellText(*m_grid, kColTime, r);
            now.comment = GetSpreadCellText(*m_grid, kColComment, r);
            // The date and time are the photo's own, written into its Exif, its shapefile record and
            // every sort by shot time: a text that does not read is put back as it was.
            if (now.date != filled.date && !now.date.isEmpty() && !ParseYearFirstDate(now.date)) {
                SetSpreadCellText(*m_grid, kColDate, r, filled.date);
                now.date = filled.date;
                refusedDate = true;
            }
            if (now.time != filled.time && !now.time.isEmpty() && !ParseShotTime(now.time)) {
                SetSpreadCellText(*m_grid, kColTime, r, filled.time);
                now.time = filled.time;
                refusedTime = true;
            }
        }
        if (now.workNumber == filled.workNumber && now.date == filled.date && now.time == filled.time &&
            now.comment == filled.comment)
            continue;
        photoFields = photoFields || now.date != filled.date || now.time != filled.time;
        edits.push_back({r, now});
    }
    if (refusedDate)
        Warn(this, QStringLiteral("撮影日が正しくありません。\n\n"
                                  "（2023/04/05 のように年/月/日の順で入力してください。）"));
    if (refusedTime)
        Warn(this, QStringLiteral("撮影時刻が正しくありません。\n\n"
                                  "（09:05:30 のように時:分:秒で入力してください。）"));
    if (edits.empty())
        return;
    ProjectChanges kinds = ProjectChange::PlacedPhotos;
    if (photoFields)
        kinds |= ProjectChange::Photos;
    (void)ChangeMap(kinds, [&](Project& project, LocationMap& map) {
        for (const Edit& edit : edits) {
            const FilledRow& filled = m_rows[size_t(edit.row - 1)];
            // Matched by photo id: the entry may have moved, or gone, since the fill.
            PlacedPhoto* entry = map.photos.FindByPhotoId(filled.photoId);
            if (!entry)
                continue;
            if (edit.now.workNumber != filled.workNumber)
                entry->workNumber = edit.now.workNumber;
            if (filled.locked)
                continue;
            if (edit.now.comment != filled.comment)
                entry->comment = edit.now.comment;
            if (PhotoRecord* photo = project.photos.Find(filled.photoId)) {
                if (edit.now.date != filled.date)
                    photo->date = edit.now.date;
                if (edit.now.time != filled.time)
                    photo->time = edit.now.time;
            }
        }
        return true;
    });
    for (const Edit& edit : edits)
        m_rows[size_t(edit.row - 1)] = edit.now;
}

void CReportLocPhotoDlg::RefillKeepingEdits()
{
    if (!Bound() || m_filling)
        return;
    if (m_grid->EditMode())
        m_grid->SetEditMode(false);  // the editor's text goes into the cell, kept below
    // The typed texts by photo id: column → text, for the cells that differ from what was filled.
    QHash<int, QHash<int, QString>> typed;
    const int rows = std::min<int>(m_grid->Rows(), int(m_rows.size()));
    for (int r = 1; r <= rows; ++r) {
        const FilledRow& filled = m_rows[size_t(r - 1)];
        const std::pair<int, const QString*> cells[] = {{kColWorkNumber, &filled.workNumber},
                                                        {kColDate, &filled.date},
                                                        {kColTime, &filled.time},
                                                        {kColComment, &filled.comment}};
        for (const auto& [col, was] : cells) {
            if (filled.locked && col != kColWorkNumber)
                continue;
            const QString now = GetSpreadCellText(*m_grid, col, r);
            if (now != *was)
                typed[filled.photoId].insert(col, now);
        }
    }
    const int shownId = m_currentRow > 0 && m_currentRow <= int(m_rows.size())
                            ? m_rows[size_t(m_currentRow - 1)].photoId
                            : -1;
    const int keptRow = m_currentRow;
    std::vector<int> before;
    for (const FilledRow& filled : m_rows)
        before.push_back(filled.photoId);
    SetLedgerTitle();
    FillGrid(false);
    int row = 0;
    for (int r = 1; r <= int(m_rows.size()); ++r) {
        const FilledRow& filled = m_rows[size_t(r - 1)];
        if (filled.photoId == shownId && row == 0)
            row = r;
        const auto found = typed.constFind(filled.photoId);
        if (found == typed.constEnd())
            continue;
        for (auto cell = found->constBegin(); cell != found->constEnd(); ++cell)
            if (!filled.locked || cell.key() == kColWorkNumber)
                SetSpreadCellText(*m_grid, cell.key(), r, cell.value());
        typed.erase(found);  // an entry of a photo placed twice keeps its texts once
    }
    FollowRow(row > 0 ? row : std::min(keptRow, int(m_rows.size())));
    // Reordered elsewhere: the header no longer shows how the rows are sorted.
    std::vector<int> after;
    for (const FilledRow& filled : m_rows)
        after.push_back(filled.photoId);
    if (after != before)
        UpdateSortMarks(true);
}

bool CReportLocPhotoDlg::ChangeMap(ProjectChanges kinds, const std::function<bool(Project&, LocationMap&)>& edit)
{
    if (!Bound())
        return false;
    const QScopedValueRollback<bool> changing(m_changing, true);
    const int index = m_mapIndex;
    return m_doc
        .Change(kinds,
                [&](Project& project) {
                    if (index < 0 || index >= project.maps.Count())
                        return false;
                    return edit(project, project.maps.maps[size_t(index)]);
                })
        .changed;
}

void CReportLocPhotoDlg::SetCurrentRow(int row)
{
    const int n = m_grid->Rows();
    m_currentRow = row > 0 && row <= n ? row : 0;
    m_filling = true;
    if (m_currentRow > 0)
        m_grid->SetActiveCell(std::max(1, m_grid->ActiveCol()), m_currentRow);
    else
        m_grid->SetActiveCell(-1000, -1000);
    m_filling = false;
    ApplyColours();
    LoadPreviewPhoto(false);
    LoadVisibleThumbnails();
    if (m_hooks.currentRowChanged && !m_following)
        m_hooks.currentRowChanged();
    UpdateControls();
}

void CReportLocPhotoDlg::FollowRow(int row)
{
    if (row > 0 && row == m_currentRow)
        return;
    m_following = true;
    SetCurrentRow(row);
    m_following = false;
}

int CReportLocPhotoDlg::GetCurrentPhotoIndex() const
{
    const LocationMap* map = Map();
    if (!map || m_currentRow <= 0 || m_currentRow > map->photos.Count())
        return -1;
    return m_doc.GetProject().photos.IndexOfId(map->photos.entries[size_t(m_currentRow - 1)].photoId);
}

void CReportLocPhotoDlg::LoadVisibleThumbnails()
{
    const int n = m_grid->Rows();
    if (n == 0)
        return;
    const int top = std::max(1, m_grid->TopRow());
    const int inView = std::max(1, m_grid->viewport()->height() / m_grid->verticalHeader()->defaultSectionSize() + 1);
    const int last = std::min(n, top + inView);
    if (m_firstThumb == top && m_lastThumb >= last)
        return;
    const Project& project = m_doc.GetProject();
    const LocationMap* map = Map();
    m_grid->SetPainting(false);
    m_grid->SetCol(kColThumbnail);
    for (int row = 1; row <= n; ++row) {
        const bool wasLoaded = m_firstThumb > 0 && row >= m_firstThumb && row <= m_lastThumb;
        const bool wanted = row >= top && row <= last;
        if (wanted == wasLoaded)
            continue;
        QPixmap picture;
        if (wanted && map && row <= map->photos.Count()) {
            const int index = project.photos.IndexOfId(map->photos.entries[size_t(row - 1)].photoId);
            fe::img::Image image;
            if (index >= 0 && (project.LoadPhotoThumbnail(image, index) ||
                               project.LoadPhotoImage(image, index, QSize(kThumbWidth, kThumbHeight))))
                picture = QPixmap::fromImage(image.Picture());
        }
        m_grid->SetRow(row);
        m_grid->SetCellPicture(picture);
    }
    m_grid->SetPainting(true);
    m_firstThumb = top;
    m_lastThumb = last;
}

void CReportLocPhotoDlg::LoadPreviewPhoto(bool resetFrame)
{
    const LocationMap* map = Map();
    const int index = GetCurrentPhotoIndex();
    if (!map || index < 0) {
        m_preview->Clear();
        return;
    }
    const Project& project = m_doc.GetProject();
    const PhotoRecord& photo = project.photos.photos[size_t(index)];
    fe::img::Image image;
    if (!project.LoadPhotoImage(image, index, QSize(kPreviewBox, kPreviewBox))) {
        m_preview->Clear();
        return;
    }
    QSize full = QImageReader(project.PhotoFolder() + photo.FileName()).size();
    if (!full.isValid())
        full = image.Picture().size();
    QImage shown = image.Picture();
    if (photo.rotation == 90 || photo.rotation == 180 || photo.rotation == 270) {
        const QImage turned = locmap::ViewPhotoLink::TurnedPhoto(shown, photo.rotation);
        if (!turned.isNull())
            shown = turned;
        if (photo.rotation != 180)
            full.transpose();
    }
    const PlacedPhoto& entry = map->photos.entries[size_t(m_currentRow - 1)];
    Rect2 frame = entry.frame;
    if (resetFrame || frame.IsUnset())
        frame = WholePictureFrame(full.width(), full.height());
    m_preview->SetPhoto(shown, full, frame);
}

// The crop frame of the current entry, written into its record (this map only).
void CReportLocPhotoDlg::SetCurrentFrame(const Rect2& frame)
{
    const LocationMap* map = Map();
    if (!map || m_currentRow <= 0 || !m_preview->HasPhoto())
        return;
    const int photoId = map->photos.entries[size_t(m_currentRow - 1)].photoId;
    (void)ChangeMap(ProjectChange::PlacedPhotos, [&](Project&, LocationMap& m) {
        PlacedPhoto* entry = m.photos.FindByPhotoId(photoId);
        if (!entry)
            return false;
        entry->frame = frame;
        return true;
    });
    m_preview->SetFrame(frame);
}

void CReportLocPhotoDlg::UpdateControls()
{
    const bool numbering = NumberingDialogShown();
    const bool mouseSort = m_lineSwitch;
    const bool normal = !numbering && !mouseSort;
    const int n = m_grid->Rows();
    const bool current = n > 0 && m_currentRow > 0;
    auto enable = [this](int id, bool on) { m_controls[id]->setEnabled(on); };
    enable(kCtlUp, normal && current && m_currentRow != 1);
    enable(kCtlDown, normal && current && m_currentRow != n);
    const bool rotation = static_cast<QCheckBox*>(m_controls[kCtlAllowRotation])->isChecked();
    enable(kCtlTurnLeft, rotation && current);
    enable(kCtlTurnRight, rotation && current);
    enable(kCtlFourByThree, current);
    enable(kCtlWholePicture, current);
    enable(kCtlRemove, normal && current);
    for (int id : {int(kCtlCommentCategory), int(kCtlHelp), int(kCtlExcel), int(kCtlDirection1),
                   int(kCtlDirection2), int(kCtlDirection3), int(kCtlDirection4)})
        enable(id, normal);
    enable(kCtlNumbering, true);
    enable(kCtlAllowRotation, true);
    for (int id : {int(kCtlClose), int(kCtlAllowDateEdit), int(kCtlMouseSort)})
        enable(id, !numbering);
    const bool lineMode = m_controls[kCtlMouseSort]->isEnabled() && mouseSort;
    enable(kCtlRunLineSort, lineMode);
    enable(kCtlContactWidth, lineMode);
}

void CReportLocPhotoDlg::UpdateSortMarks(bool reset)
{
    for (int col = 1; col <= 6; ++col)
        SetSpreadCellText(*m_grid, col, kSpreadHeader, kHeaders[col - 1]);
    if (reset) {
        m_sortedColumn = 0;
        m_ascending = true;
        return;
    }
    if (m_sortedColumn <= 0)
        return;
    const QString mark = m_ascending ? QStringLiteral("\n▲") : QStringLiteral("\n▼");
    SetSpreadCellText(*m_grid, m_sortedColumn, kSpreadHeader, kHeaders[m_sortedColumn - 1] + mark);
    if (m_sortedColumn == kColDate || m_sortedColumn == kColTime) {
        const int other = m_sortedColumn == kColDate ? kColTime : kColDate;
        SetSpreadCellText(*m_grid, other, kSpreadHeader, kHeaders[other - 1] + mark);
    }
}

bool CReportLocPhotoDlg::NumberingDialogShown() const
{
    return m_numbering && m_numbering->isVisible();
}

void CReportLocPhotoDlg::OnCurrentCellChanged(int row, int previousRow)
{
    if (m_filling || row <= 0 || row == previousRow || row == m_currentRow)
        return;
    m_preview->ResetZoom();
    SetCurrentRow(row);
    if (m_hooks.clearOverlapStrip)
        m_hooks.clearOverlapStrip();
}

void CReportLocPhotoDlg::closeEvent(QCloseEvent* event)
{
    // The window is closed only through the frame ("閉じる").
    event->ignore();
    if (m_controls[kCtlClose]->isEnabled())
        OnClose();
}

void CReportLocPhotoDlg::reject()
{
    // Esc does not close the modeless ledger.
}

void CReportLocPhotoDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    WidenCommentColumn();
    LoadVisibleThumbnails();
}

bool CReportLocPhotoDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize) {
        WidenCommentColumn();
        LoadVisibleThumbnails();
    }
    // Cell editors are made as children of the viewport: their right clicks are watched.
    if (watched == m_grid->viewport() && event->type() == QEvent::ChildAdded)
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    if (event->type() == QEvent::ContextMenu && watched->parent() == m_grid->viewport() &&
        OnEditorContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos()))
        return true;
    return QDialog::eventFilter(watched, event);
}

}  // namespace app
