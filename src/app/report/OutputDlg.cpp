#include "app/report/OutputDlg.h"

#include <QButtonGroup>
#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "app/controls/BitmapResources.h"
#include "app/controls/RefPictureDialogs.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "model/FixedItemNames.h"
#include "model/Project.h"

namespace app {
namespace {

const char* const kLedgerLayouts[] = {"A4(縦) 3行",     "A4(縦) 2列×3行", "A4(横) 2列",
                                      "A4(横) 3列×2行", "A4(横) 1列",     "A4(縦) 3列×4行"};
const char* const kShotTimeExamples[] = {"", "2020/04/01", "2020/04/01 12:00", "2020/04/01 12:00:00"};

// A group of radio buttons with ids 0, 1, ... in a row.
QButtonGroup* RadioRow(QWidget* owner, QBoxLayout* layout, const QStringList& texts)
{
    auto* group = new QButtonGroup(owner);
    for (int k = 0; k < texts.size(); ++k) {
        auto* radio = new QRadioButton(texts[k], owner);
        group->addButton(radio, k);
        layout->addWidget(radio);
    }
    layout->addStretch();
    return group;
}

void CheckId(QButtonGroup* group, int id)
{
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

// The page pictures of the layouts: cover portrait / landscape; map sheet A4 portrait, A4 landscape, A3
// without photos and A3 with the photos around the map, in one or in two columns on each side; the six
// ledger layouts in the list's order; the photo list.
constexpr int kCoverPictures[] = {359, 358};
constexpr int kMapSheetPictures[] = {361, 360, 381};
constexpr int kArrangementPictures[] = {451, 452, 453};
constexpr int kLedgerPictures[] = {357, 362, 356, 363, 414, 446};
constexpr int kPhotoListPicture = 415;

// The picture of an output that is off: every colour byte divided by 1.5.
QPixmap Darkened(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(qRed(line[x]) * 2 / 3, qGreen(line[x]) * 2 / 3, qBlue(line[x]) * 2 / 3);
    }
    return QPixmap::fromImage(image);
}

template <size_t N>
int PictureAt(const int (&pictures)[N], int index)
{
    return index >= 0 && index < int(N) ? pictures[index] : 0;
}

// An output's section with its page picture to its right. The picture is not inside the section, so that
// a section switched off does not grey it: it is darkened instead.
QHBoxLayout* WithPreview(QGroupBox* section, QLabel* preview)
{
    auto* row = new QHBoxLayout;
    row->addWidget(section, 1);
    preview->setFixedSize(100, 100);
    preview->setAlignment(Qt::AlignCenter);
    row->addWidget(preview, 0, Qt::AlignTop);
    return row;
}

QPushButton* HelpButton(QWidget* owner, int bitmapId, const QString& title)
{
    auto* button = new QPushButton(QStringLiteral("?"), owner);
    button->setFixedWidth(24);
    QObject::connect(button, &QPushButton::clicked, owner,
                     [owner, bitmapId, title] { ShowRefPicture(owner, bitmapId, title); });
    return button;
}

}  // namespace

ReportChoices ReportChoices::Of(const Project& project)
{
    ReportChoices choices;
    choices.labels = project.headerLabels;
    choices.values = project.headerValues;
    choices.options = project.outputOptions;
    for (const LocationMap& map : project.maps.maps)
        choices.ticked.push_back(map.outputFlag);
    return choices;
}

bool ReportChoices::ApplyTo(Project& project) const
{
    if (ticked.size() != project.maps.maps.size())
        return false;
    project.headerLabels = labels;
    project.headerValues = values;
    project.outputOptions = options;
    for (size_t i = 0; i < ticked.size(); ++i)
        project.maps.maps[i].outputFlag = project.maps.maps[i].outputFlagCopy = ticked[i];
    return true;
}

bool IsForbiddenFileNameChar(QChar c)
{
    return c.unicode() < 0x20 || QStringLiteral("\"<>|*?\\/:").contains(c);
}

COutputDlg::COutputDlg(CTavrelDoc& document, const FixedItemNames* presets, QWidget* parent)
    : CKeyPolicyDialog(parent), m_document(document), m_presets(presets),
      m_choices(ReportChoices::Of(document.GetProject()))
{
    setWindowTitle(QStringLiteral("写真位置図 / 写真台帳 出力"));
    BuildControls();
    LoadChoices(m_choices);
}

void COutputDlg::BuildControls()
{
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    root->addLayout(left, 1);
    root->addLayout(right, 1);

    // 表紙: the header grid (row 1 the title, whose item name is not an item), orientation and presets.
    m_outputs[0] = new QGroupBox(QStringLiteral("表紙"), this);
    auto* cover = new QVBoxLayout(m_outputs[0]);
    m_headerGrid = new CSpread7U(m_outputs[0]);
    m_headerGrid->SetCols(2);
    m_headerGrid->SetRows(5);
    m_headerGrid->setHorizontalHeaderLabels({QStringLiteral("項目名"), QStringLiteral("内容")});
    m_headerGrid->SetBlockSelection(1);
    m_headerGrid->SetCol(1);
    m_headerGrid->SetRow(1);
    m_headerGrid->SetText(QStringLiteral("タイトル"));
    m_headerGrid->SetLock(true);
    m_headerGrid->setMinimumHeight(170);
    cover->addWidget(m_headerGrid);
    auto* coverRow = new QHBoxLayout;
    m_cover = RadioRow(m_outputs[0], coverRow, {QStringLiteral("縦"), QStringLiteral("横")});
    coverRow->addWidget(new QLabel(QStringLiteral("定型項目名セット："), m_outputs[0]));
    // The buttons "1" to "4" set the cover presets 1 to 4.
    for (int preset = 0; preset < 4; ++preset) {
        auto* button = new QPushButton(QString::number(preset + 1), m_outputs[0]);
        button->setFixedWidth(28);
        connect(button, &QPushButton::clicked, this, [this, preset] { ApplyPresetLabels(preset); });
        coverRow->addWidget(button);
    }
    coverRow->addWidget(HelpButton(this, 393, QStringLiteral("項目切替")));
    cover->addLayout(coverRow);
    cover->addWidget(new QLabel(QStringLiteral("※表紙は最初に出力されるExcel Bookに含まれます。"), m_outputs[0]));
    left->addLayout(WithPreview(m_outputs[0], m_previews[0] = new QLabel(this)));

    // 出力選択: the maps.
    auto* maps = new QGroupBox(QStringLiteral("出力選択"), this);
    auto* mapsLayout = new QVBoxLayout(maps);
    m_mapGrid = new CSpread7U(maps);
    m_mapGrid->SetCols(3);
    m_mapGrid->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("位置図名"), QStringLiteral("出力")});
    m_mapGrid->SetCol(3);
    m_mapGrid->SetColKind(SpreadCellKind::Check);
    mapsLayout->addWidget(m_mapGrid);
    auto* allRow = new QHBoxLayout;
    auto* allOn = new QPushButton(QStringLiteral("全ON"), maps);
    auto* allOff = new QPushButton(QStringLiteral("全OFF"), maps);
    connect(allOn, &QPushButton::clicked, this, [this] { SetAllMaps(true); });
    connect(allOff, &QPushButton::clicked, this, [this] { SetAllMaps(false); });
    allRow->addWidget(allOn);
    allRow->addWidget(allOff);
    allRow->addStretch();
    mapsLayout->addLayout(allRow);
    left->addWidget(maps, 1);

    // 写真位置図: layout, map quality, photos on the sheet and their arrangement on A3.
    m_outputs[1] = new QGroupBox(QStringLiteral("写真位置図"), this);
    auto* mapSheet = new QGridLayout(m_outputs[1]);
    auto* layoutRow = new QHBoxLayout;
    m_mapLayout = RadioRow(m_outputs[1], layoutRow,
                           {QStringLiteral("縦(A4)"), QStringLiteral("横(A4)"), QStringLiteral("横(A3)")});
    mapSheet->addLayout(layoutRow, 0, 0, 1, 2);
    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(new QLabel(QStringLiteral("位置図画質"), m_outputs[1]));
    m_mapQuality = RadioRow(m_outputs[1], qualityRow, {QStringLiteral("標準"), QStringLiteral("高")});
    mapSheet->addLayout(qualityRow, 1, 0, 1, 2);
    m_placePhotos = new QCheckBox(QStringLiteral("写真を配置する"), m_outputs[1]);
    m_placeComments = new QCheckBox(QStringLiteral("写真のコメントも配置する"), m_outputs[1]);
    m_arrangement = new QComboBox(m_outputs[1]);
    m_arrangement->addItems({QStringLiteral("周囲配置"), QStringLiteral("両サイド1列"), QStringLiteral("両サイド2列")});
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(m_placePhotos);
    placeRow->addWidget(HelpButton(this, 395, QStringLiteral("写真を配置する")));
    placeRow->addWidget(m_arrangement);
    placeRow->addStretch();
    mapSheet->addLayout(placeRow, 2, 0, 1, 2);
    mapSheet->addWidget(m_placeComments, 3, 0, 1, 2);
    right->addLayout(WithPreview(m_outputs[1], m_previews[1] = new QLabel(this)));

    // 写真台帳: layout, shot time and photo quality.
    m_outputs[2] = new QGroupBox(QStringLiteral("写真台帳"), this);
    auto* ledger = new QVBoxLayout(m_outputs[2]);
    m_ledger = new QComboBox(m_outputs[2]);
    for (const char* text : kLedgerLayouts)
        m_ledger->addItem(QString::fromUtf8(text));
    ledger->addWidget(m_ledger);
    ledger->addWidget(new QLabel(QStringLiteral("撮影時刻の表示形式"), m_outputs[2]));
    auto* shotRow = new QHBoxLayout;
    m_shotTime = RadioRow(m_outputs[2], shotRow,
                          {QStringLiteral("出力しない"), QStringLiteral("年/月/日"), QStringLiteral("年/月/日 時:分"),
                           QStringLiteral("年/月/日 時:分:秒")});
    ledger->addLayout(shotRow);
    m_example = new QLabel(m_outputs[2]);
    m_example->hide();
    ledger->addWidget(m_example);
    auto* photoRow = new QHBoxLayout;
    photoRow->addWidget(new QLabel(QStringLiteral("写真画質"), m_outputs[2]));
    m_photoQuality = RadioRow(m_outputs[2], photoRow,
                              {QStringLiteral("標準"), QStringLiteral("高"), QStringLiteral("最高")});
    ledger->addLayout(photoRow);
    right->addLayout(WithPreview(m_outputs[2], m_previews[2] = new QLabel(this)));

    // 写真一覧.
    m_outputs[3] = new QGroupBox(QStringLiteral("写真一覧"), this);
    auto* list = new QVBoxLayout(m_outputs[3]);
    m_originalNames = new QCheckBox(QStringLiteral("元ファイル名出力"), m_outputs[3]);
    list->addWidget(m_originalNames);
    right->addLayout(WithPreview(m_outputs[3], m_previews[3] = new QLabel(this)));

    auto* prefixRow = new QHBoxLayout;
    prefixRow->addWidget(new QLabel(QStringLiteral("出力ファイル名接頭子"), this));
    m_prefix = new QLineEdit(this);
    prefixRow->addWidget(m_prefix);
    right->addLayout(prefixRow);

    // The output folder as the user knows it: <project folder name>/excel/<today>.
    const Project& project = m_document.GetProject();
    QString folder;
    if (project.HasPath())
        folder = QStringLiteral("/") + QDir(project.folder).dirName() + QStringLiteral("/excel/") +
                 QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    m_folderNote = new QLabel(QStringLiteral("「") + folder +
                                  QStringLiteral("」フォルダに出力します。\n同名のファイルが既に存在する場合上書き保存されます。"),
                              this);
    m_folderNote->setStyleSheet(QStringLiteral("color: #800000;"));
    right->addWidget(m_folderNote);
    right->addStretch();

    auto* buttons = new QHBoxLayout;
    m_excelButton = new QPushButton(QStringLiteral(" Excel出力"), this);
    QFont big = m_excelButton->font();
    big.setPixelSize(15);
    m_excelButton->setFont(big);
    m_storeButton = new QPushButton(QStringLiteral("設定"), this);
    m_cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addStretch();
    buttons->addWidget(m_excelButton);
    buttons->addWidget(m_storeButton);
    buttons->addWidget(m_cancelButton);
    right->addLayout(buttons);
    SetOkButton(m_storeButton);
    SetCancelButton(m_cancelButton);

    for (QGroupBox* box : m_outputs) {
        box->setCheckable(true);
        connect(box, &QGroupBox::toggled, this, [this] { UpdateControlStates(); });
    }
    connect(m_placePhotos, &QCheckBox::toggled, this, [this] { UpdateControlStates(); });
    connect(m_cover, &QButtonGroup::idClicked, this, [this] { DrawPreviews(); });
    connect(m_arrangement, &QComboBox::currentIndexChanged, this, [this] { DrawPreviews(); });
    connect(m_ledger, &QComboBox::currentIndexChanged, this, [this] { DrawPreviews(); });
    connect(m_mapLayout, &QButtonGroup::idClicked, this, [this] { UpdateControlStates(); });
    connect(m_shotTime, &QButtonGroup::idClicked, this, [this] { ShowShotTimeExample(); });
    connect(m_headerGrid, &CSpread7U::KeyDown, this, [this](int* key, int) { OnHeaderGridKeyDown(*key); });
    connect(m_storeButton, &QPushButton::clicked, this, [this] { OnStore(); });
    connect(m_excelButton, &QPushButton::clicked, this, [this] { OnExcelOutput(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void COutputDlg::LoadChoices(const ReportChoices& c)
{
    for (int row = 1; row <= 5; ++row) {
        if (row > 1)
            SetSpreadCellText(*m_headerGrid, 1, row, c.labels.texts[size_t(row - 1)]);
        SetSpreadCellText(*m_headerGrid, 2, row, c.values.texts[size_t(row - 1)]);
    }
    const Project& project = m_document.GetProject();
    m_mapGrid->SetRows(project.maps.Count());
    for (int i = 0; i < project.maps.Count(); ++i) {
        SetSpreadCellText(*m_mapGrid, 1, i + 1, QString::number(i + 1));
        SetSpreadCellText(*m_mapGrid, 2, i + 1, project.maps.maps[size_t(i)].name);
        for (int col : {1, 2}) {
            m_mapGrid->SetCol(col);
            m_mapGrid->SetRow(i + 1);
            m_mapGrid->SetLock(true);
        }
        SetSpreadCellCheck(*m_mapGrid, 3, i + 1, c.ticked[size_t(i)] ? 1 : 0);
    }
    const ReportOutputOptions& o = c.options;
    const bool outputs[] = {o.outputCover != 0, o.outputMapSheets != 0, o.outputLedger != 0, o.outputPhotoList != 0};
    for (int k = 0; k < 4; ++k)
        m_outputs[k]->setChecked(outputs[k]);
    CheckId(m_cover, o.coverLandscape ? 1 : 0);
    CheckId(m_mapLayout, o.mapLayout);
    CheckId(m_mapQuality, o.mapQuality);
    CheckId(m_photoQuality, o.photoQuality);
    CheckId(m_shotTime, o.shotTimeFormat);
    m_placePhotos->setChecked(o.placePhotos != 0);
    m_placeComments->setChecked(o.placePhotoComments != 0);
    m_originalNames->setChecked(o.listOriginalFileName != 0);
    m_arrangement->setCurrentIndex(o.photoPlacement >= 0 && o.photoPlacement < 3 ? o.photoPlacement : -1);
    m_ledger->setCurrentIndex(o.ledgerLayout >= 0 && o.ledgerLayout < 6 ? o.ledgerLayout : -1);
    m_prefix->setText(o.fileNamePrefix);
    ShowShotTimeExample();
    UpdateControlStates();
}

ReportChoices COutputDlg::Choices() const
{
    ReportChoices c = m_choices;
    for (int row = 1; row <= 5; ++row) {
        if (row > 1)
            c.labels.texts[size_t(row - 1)] = GetSpreadCellText(*m_headerGrid, 1, row);
        c.values.texts[size_t(row - 1)] = GetSpreadCellText(*m_headerGrid, 2, row);
    }
    ReportOutputOptions& o = c.options;
    o.outputCover = m_outputs[0]->isChecked();
    o.outputMapSheets = m_outputs[1]->isChecked();
    o.outputLedger = m_outputs[2]->isChecked();
    o.outputPhotoList = m_outputs[3]->isChecked();
    o.optionsStored = 1;
    // A combo without a selection (after a damaged value) stores the first choice, which the report can use.
    o.photoPlacement = std::max(0, m_arrangement->currentIndex());
    o.ledgerLayout = std::max(0, m_ledger->currentIndex());
    for (int i = 0; i < int(c.ticked.size()); ++i)
        c.ticked[size_t(i)] = GetSpreadCellCheck(*m_mapGrid, 3, i + 1) != 0 ? 1 : 0;
    o.fileNamePrefix = m_prefix->text();
    o.coverLandscape = m_cover->checkedId() == 1 ? 1 : 0;
    o.splitWorkbook = 0;
    o.listOriginalFileName = m_originalNames->isChecked();
    if (m_mapLayout->checkedId() >= 0)
        o.mapLayout = m_mapLayout->checkedId();
    o.placePhotos = m_placePhotos->isChecked();
    o.placePhotoComments = m_placeComments->isChecked();
    o.shotTimeFormat = std::max(0, m_shotTime->checkedId());
    o.photoQuality = m_photoQuality->checkedId() >= 0 ? m_photoQuality->checkedId() : 2;
    o.mapQuality = m_mapQuality->checkedId() >= 0 ? m_mapQuality->checkedId() : 1;
    return c;
}

void COutputDlg::UpdateControlStates()
{
    const bool mapSheets = m_outputs[1]->isChecked();
    m_placeComments->setEnabled(mapSheets && m_placePhotos->isChecked());
    m_arrangement->setEnabled(mapSheets && m_placePhotos->isChecked() && m_mapLayout->checkedId() == 2);
    DrawPreviews();
}

void COutputDlg::DrawPreviews()
{
    const int layout = m_mapLayout->checkedId();
    int mapSheet = PictureAt(kMapSheetPictures, layout);
    if (layout == 2 && m_placePhotos->isChecked() && m_arrangement->currentIndex() >= 0)
        mapSheet = PictureAt(kArrangementPictures, m_arrangement->currentIndex());
    const int pictures[4] = {PictureAt(kCoverPictures, m_cover->checkedId() == 1 ? 1 : 0), mapSheet,
                             PictureAt(kLedgerPictures, m_ledger->currentIndex()), kPhotoListPicture};
    for (int k = 0; k < 4; ++k) {
        const QPixmap picture = pictures[k] ? LoadBitmapResource(pictures[k]) : QPixmap();
        m_previews[k]->setPixmap(picture.isNull() || m_outputs[k]->isChecked() ? picture : Darkened(picture));
    }
}

void COutputDlg::ShowShotTimeExample()
{
    const int id = m_shotTime->checkedId();
    m_example->setText(id >= 0 && id < 4 ? QString::fromUtf8(kShotTimeExamples[id]) : QString());
}

void COutputDlg::SetAllMaps(bool on)
{
    for (int row = 1; row <= m_mapGrid->Rows(); ++row)
        SetSpreadCellCheck(*m_mapGrid, 3, row, on ? 1 : 0);
    UpdateControlStates();
}

void COutputDlg::ApplyPresetLabels(int preset)
{
    if (m_presets == nullptr || preset < 0 || preset >= int(m_presets->headerLabels.size()))
        return;
    for (int row = 2; row <= 5; ++row)
        SetSpreadCellText(*m_headerGrid, 1, row, m_presets->headerLabels[size_t(preset)].texts[size_t(row - 1)]);
}

void COutputDlg::OnHeaderGridKeyDown(int key)
{
    if (key != kKeyDelete || m_headerGrid->EditMode())
        return;
    const CSpread7U::Block block = m_headerGrid->SelectedBlock();
    ClearSpreadUnlockedCells(*m_headerGrid, block.col, block.row, block.col2, block.row2);
    // Kept in the dialog's choices at once; the project takes them with "設定" or " Excel出力".
    m_choices = Choices();
}

bool COutputDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_cancelButton || CKeyPolicyDialog::KeepsEnter(focus);
}

bool COutputDlg::StoreInProject()
{
    const ReportChoices choices = Choices();
    const ProjectChangeOutcome outcome =
        m_document.Change(ProjectChanges(ProjectChange::Settings) | ProjectChange::Maps,
                          [&](Project& project) { return choices.ApplyTo(project); });
    // A save that failed was told by the document: the choices are in the open project but not in its
    // file, and the dialog stays.
    return outcome.Ok();
}

void COutputDlg::OnStore()
{
    if (StoreInProject())
        reject();
}

void COutputDlg::OnExcelOutput()
{
    const ReportChoices choices = Choices();
    const bool anyMap = std::any_of(choices.ticked.begin(), choices.ticked.end(), [](auto t) { return t != 0; });
    const ReportOutputOptions& o = choices.options;
    const bool anyOutput = o.outputCover || o.outputMapSheets || o.outputLedger || o.outputPhotoList;
    if (!anyOutput || (!o.outputCover && !anyMap)) {
        ShowMessage(this, QStringLiteral("出力項目がありません。"), QStringLiteral("ケルヴォル"), PromptIcon::Warning);
        return;
    }
    if (std::any_of(o.fileNamePrefix.begin(), o.fileNamePrefix.end(), IsForbiddenFileNameChar)) {
        ShowMessage(this, QStringLiteral("ファイル名に使用できない文字が含まれています。"), QStringLiteral("入力確認"),
                    PromptIcon::Warning);
        return;
    }
    if (StoreInProject())
        accept();
}

}  // namespace app
