#include "PartsDialog.h"

#include "basic/PickerTargets.h"
#include "basic/Uck1.h"
#include "basic/Usp2.h"
#include "basic/Usp3.h"
#include "data/DM1.h"
#include "documents/parts_lists.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Forms.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {
const QString kSao = QStringLiteral("sao");
const QString kXuan = QStringLiteral("xuan");
const QString kZero = QStringLiteral("0");
const QString kOne = QStringLiteral("1");
const QString kNoWholeWarehouse = QStringLiteral("整件仓库不可为空！");
const QString kNoPartWarehouse = QStringLiteral("零件仓库不可为空！");

// A typed count or coefficient as the two-decimal number it stands for; a text that is not
// (yet) a number counts as 0.
Money typedValue(const QLineEdit* e)
{
    const std::optional<Money> m = Money::tryParse(e->text());
    return m ? m->round2() : Money();
}

qint64 idOf(const QLineEdit* e) { return e->text().trimmed().toLongLong(); }

bool blank(const QLineEdit* e) { return e->text().trimmed().isEmpty(); }
}

TPartsDialog::TPartsDialog(PartsDialogDescription desc, QWidget* parent) : QDialog(parent), desc_(std::move(desc))
{
    setObjectName(desc_.objectName);
    setWindowTitle(desc_.caption);
    buildControls();
    wireHandlers();
}

TPartsDialog::~TPartsDialog() = default;

void TPartsDialog::buildControls()
{
    setDialogFrame(this, QSize(680, 548));
    auto place = [](QWidget* w, int x, int y, int width, int height = 22) { w->setGeometry(x, y, width, height); };
    auto caption = [place](QWidget* parent, const QString& text, int x, int y, int width = 56) {
        place(new QLabel(text, parent), x, y, width);
    };

    // One step box: warehouse and code with their pickers, the goods found, the number field
    // with its two help lines.
    struct Step {
        ExitEdit** ck; ExitEdit** txm; QLineEdit **ppgg, **dw, **kcsl; ExitEdit** number; QLineEdit** spid;
        SpeedButton **ckButton, **spButton;
        const char *ckName, *txmName, *ppggName, *dwName, *kcslName, *spidName, *ckButtonName, *spButtonName;
        const char *ckCaption, *nameCaption, *unitCaption, *stockCaption, *ckHint, *spHint;
        QString box, numberName, numberCaption, help1, help2;
        int top, height;
    };
    const Step steps[] = {
        {&ck1, &txm1, &ppgg1, &dw1, &kcsl1, &countEdit, &spid1, &SBck1, &SBsp1,
         "ck1", "txm1", "ppgg1", "dw1", "kcsl1", "spid1", "SBck1", "SBsp1",
         "整件仓库", "整件名称", "整件单位", "整件库存", "选择整件仓库", "选择整件",
         desc_.step1, desc_.countName, desc_.countLabel, desc_.help.value(0), desc_.help.value(1), 6, 118},
        {&ck2, &txm2, &ppgg2, &dw2, &kcsl2, &coefEdit, &spid2, &SBck2, &SBsp2,
         "ck2", "txm2", "ppgg2", "dw2", "kcsl2", "spid2", "SBck2", "SBsp2",
         "零件仓库", "零件名称", "零件单位", "零件库存", "选择零件仓库", "选择零件",
         desc_.step2, desc_.coefName, desc_.coefLabel, desc_.help.value(2), desc_.help.value(3), 130, 118},
    };
    for (const Step& s : steps) {
        auto* box = new QGroupBox(s.box, this);
        box->setObjectName(s.top < 100 ? QStringLiteral("GroupBox1") : QStringLiteral("GroupBox2"));
        place(box, 8, s.top, 664, s.height);
        caption(box, QString::fromUtf8(s.ckCaption), 10, 24);
        *s.ck = named(new ExitEdit(box), QString::fromLatin1(s.ckName));
        place(*s.ck, 66, 24, 110);
        greyReadOnly(*s.ck);
        *s.ckButton = pickerButtonAfter(*s.ck, s.ckButtonName, s.ckHint);
        caption(box, QStringLiteral("商品编码"), 214, 24);
        *s.txm = named(new ExitEdit(box), QString::fromLatin1(s.txmName));
        place(*s.txm, 270, 24, 130);
        *s.spButton = pickerButtonAfter(*s.txm, s.spButtonName, s.spHint);
        caption(box, QString::fromUtf8(s.nameCaption), 10, 54);
        *s.ppgg = greyReadOnly(named(new QLineEdit(box), QString::fromLatin1(s.ppggName)));
        place(*s.ppgg, 66, 54, 334);
        caption(box, QString::fromUtf8(s.unitCaption), 414, 54);
        *s.dw = greyReadOnly(named(new QLineEdit(box), QString::fromLatin1(s.dwName)));
        place(*s.dw, 470, 54, 50);
        caption(box, QString::fromUtf8(s.stockCaption), 530, 54);
        *s.kcsl = greyReadOnly(named(new QLineEdit(box), QString::fromLatin1(s.kcslName)));
        place(*s.kcsl, 586, 54, 68);
        caption(box, s.numberCaption, 10, 86);
        *s.number = named(new ExitEdit(box), s.numberName);
        place(*s.number, 66, 86, 110);
        installNumberFilter(*s.number, NumberKind::Unsigned);
        auto* h1 = new QLabel(s.help1, box);
        auto* h2 = new QLabel(s.help2, box);
        place(h1, 190, 78, 290, 18);
        place(h2, 190, 96, 290, 18);
        *s.spid = named(new QLineEdit(box), QString::fromLatin1(s.spidName));
        (*s.spid)->hide();
    }
    sao = named(new QLabel(kSao, this), QStringLiteral("sao"));
    sao->hide();

    SB1 = named(new SpeedButton(QStringLiteral("新增"), this), QStringLiteral("SB1"));
    SB1->setToolTip(QStringLiteral("新增零件"));
    place(SB1, 500, 130 + 84, 78, 26);
    SB2 = named(new SpeedButton(QStringLiteral("删除"), this), QStringLiteral("SB2"));
    SB2->setToolTip(QStringLiteral("删除零件"));
    place(SB2, 586, 130 + 84, 78, 26);

    DBGrid1 = named(new DataGrid(this), QStringLiteral("DBGrid1"));
    place(DBGrid1, 8, 256, 664, 236);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const QColor tint = ListColours::tint();
    DBGrid1->setColumns({
        {.field = "txm", .title = "编码", .width = 100, .titleCentered = true},
        {.field = "ppgg", .title = "商品名称", .width = 170, .titleCentered = true},
        {.field = "dw", .title = "单位", .width = 40, .align = Qt::AlignCenter, .titleCentered = true},
        {.field = "ck", .title = "仓库", .width = 80, .titleCentered = true},
        {.field = "kc", .title = "当前库存", .width = 70, .align = right, .titleCentered = true, .tint = tint},
        {.field = "xs", .title = desc_.coefLabel, .width = 70, .align = right, .titleCentered = true},
        {.field = "sl", .title = desc_.slTitle, .width = 100, .align = right, .titleCentered = true, .tint = tint},
    });
    DBGrid1->setQuery(&DM1->AQ1);

    BitBtn1 = named(new QPushButton(desc_.confirmCaption, this), QStringLiteral("BitBtn1"));
    place(BitBtn1, 440, 504, 110, 32);
    BitBtn2 = named(new QPushButton(QStringLiteral("取消"), this), QStringLiteral("BitBtn2"));
    place(BitBtn2, 562, 504, 110, 32);
    // Closing never runs the warehouse fields' exit checks.
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    for (QPushButton* b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);
    cha = named(new QPushButton(QStringLiteral("cha"), this), QStringLiteral("cha"));
    cha->hide();

    QWidget* const tabOrder[] = {ck1, txm1, countEdit, ck2, txm2, coefEdit, BitBtn1};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // The pickers write into these through the tag.
    for (QLineEdit* e : {static_cast<QLineEdit*>(ck1), static_cast<QLineEdit*>(txm1), ppgg1, dw1, kcsl1, spid1,
                         static_cast<QLineEdit*>(ck2), static_cast<QLineEdit*>(txm2), ppgg2, dw2, kcsl2, spid2})
        PickerTargets::registerField(desc_.tag, e->objectName(), e);
    PickerTargets::registerField(desc_.tag, QStringLiteral("sao"), sao, [this](const QString& v) { sao->setText(v); },
                                 [this] { return sao->text(); });
}

void TPartsDialog::wireHandlers()
{
    const std::pair<QAbstractButton*, void (TPartsDialog::*)()> clicks[] = {
        {SBck1, &TPartsDialog::SBck1Click}, {SBck2, &TPartsDialog::SBck2Click},
        {SBsp1, &TPartsDialog::SBsp1Click}, {SBsp2, &TPartsDialog::SBsp2Click},
        {SB1, &TPartsDialog::SB1Click},     {SB2, &TPartsDialog::SB2Click},
        {BitBtn1, &TPartsDialog::BitBtn1Click}, {cha, &TPartsDialog::chaClick}};
    for (const auto& [button, f] : clicks)
        connectHandler(button, &QAbstractButton::clicked, this, [this, f] { (this->*f)(); });
    connectHandler(BitBtn2, &QAbstractButton::clicked, this, &QDialog::reject);

    connectHandler(txm1, &QLineEdit::textChanged, this, [this] { lookUp(1); });
    connectHandler(txm2, &QLineEdit::textChanged, this, [this] { lookUp(2); });
    connectHandler(spid1, &QLineEdit::textChanged, this, [this] { spid1Change(); });
    connectHandler(countEdit, &QLineEdit::textChanged, this, [this] { countChange(); });
    connectHandler(coefEdit, &QLineEdit::textChanged, this, [this] {
        if (blank(coefEdit))
            coefEdit->setText(kZero);
    });
    for (ExitEdit* e : {countEdit, coefEdit})
        connectHandler(e, &ExitEdit::exited, this, [e] { roundTypedField(e); });

    keys = new KeyPreview(this);
    keys->mapKey(Qt::Key_Escape, BitBtn2);
    // The warehouses: Enter opens the picker while empty, else moves on; a double-click opens
    // it; leaving one empty is refused. The codes: Enter opens the goods picker while no
    // goods is resolved, else moves on.
    const struct { ExitEdit* ck; SpeedButton* ckPicker; ExitEdit* txm; QLineEdit* ppgg; SpeedButton* spPicker;
                   QWidget* after; QString empty; } steps[] = {
        {ck1, SBck1, txm1, ppgg1, SBsp1, countEdit, kNoWholeWarehouse},
        {ck2, SBck2, txm2, ppgg2, SBsp2, coefEdit, kNoPartWarehouse}};
    for (const auto& s : steps) {
        keys->onEnter(s.ck, [s] {
            if (blank(s.ck)) s.ckPicker->click();
            else s.txm->setFocus();
        });
        connectHandler(s.ck, &ExitEdit::doubleClicked, s.ckPicker, &QAbstractButton::click);
        // Left empty for another field: refused; 取消 and the close box still close.
        connectHandler(s.ck, &ExitEdit::exitedToField, this, [this, s] {
            if (blank(s.ck))
                refuse(s.empty, s.ck);
        });
        keys->onEnter(s.txm, [s] {
            if (s.ppgg->text().isEmpty()) s.spPicker->click();
            else s.after->setFocus();
        });
    }
    keys->enterMovesTo(countEdit, txm2);
    keys->onEnter(coefEdit, [this] { SB1->click(); });
}

void TPartsDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())   // restored, not shown anew
        return;
    sao->setText(kSao);
    ck1->setFocus();
    for (QLineEdit* f : {static_cast<QLineEdit*>(ck1), static_cast<QLineEdit*>(txm1), ppgg1, dw1})
        f->clear();
    kcsl1->setText(kZero);
    spid1->setText(kZero);
    countEdit->setText(kOne);
    for (QLineEdit* f : {static_cast<QLineEdit*>(ck2), static_cast<QLineEdit*>(txm2), ppgg2, dw2})
        f->clear();
    kcsl2->setText(kZero);
    spid2->setText(kZero);
    coefEdit->setText(kZero);
}

bool TPartsDialog::refuse(const QString& text, QWidget* field)
{
    infoBox(text);
    if (field)
        field->setFocus();
    return false;
}

void TPartsDialog::lookUp(int step)
{
    if (sao->text() != kSao)
        return;   // the goods picker is filling the fields
    QLineEdit* txm = step == 1 ? txm1 : txm2;
    QLineEdit* ck = step == 1 ? ck1 : ck2;
    QLineEdit* spid = step == 1 ? spid1 : spid2;
    QLineEdit* ppgg = step == 1 ? ppgg1 : ppgg2;
    QLineEdit* dw = step == 1 ? dw1 : dw2;
    QLineEdit* kcsl = step == 1 ? kcsl1 : kcsl2;
    const std::optional<GoodsFound> g = findGoodsByCode(*DM1, txm->text(), ck->text());
    spid->setText(g ? QString::number(g->id) : kZero);
    ppgg->setText(g ? g->ppgg : QString());
    dw->setText(g ? g->dw : QString());
    kcsl->setText(g ? g->kcsl : kZero);
}

void TPartsDialog::spid1Change()
{
    const qint64 id = idOf(spid1);
    if (id <= 0)
        return;   // the list keeps showing the previous whole item's parts
    // The parts needed follow the count shown.
    if (const std::optional<Money> count = Money::tryParse(countEdit->text()))
        applyPartsCount(*DM1, *desc_.kind, id, count->round2());
    cha->click();
}

void TPartsDialog::chaClick() { loadPartsList(*DM1, *desc_.kind, idOf(spid1)); }

void TPartsDialog::countChange()
{
    if (blank(countEdit)) {
        countEdit->setText(kOne);   // runs this handler again
        return;
    }
    const std::optional<Money> count = Money::tryParse(countEdit->text());
    if (!count)
        return;   // not a number yet (".")
    if (applyPartsCount(*DM1, *desc_.kind, idOf(spid1), count->round2()))
        cha->click();
}

void TPartsDialog::pickWarehouse(int step)
{
    TFck1(this).runFor(desc_.tag + QString::number(step));
}

void TPartsDialog::pickGoods(int step)
{
    ExitEdit* ck = step == 1 ? ck1 : ck2;
    if (blank(ck)) {
        refuse(step == 1 ? kNoWholeWarehouse : kNoPartWarehouse, ck);
        return;
    }
    sao->setText(kXuan);
    TFsp3 dlg(this);
    dlg.Edit2->setText(ck->text());
    dlg.runFor(desc_.tag + QString::number(step));
    sao->setText(kSao);   // the picker does so as it closes; also when it never showed
}

void TPartsDialog::SBck1Click() { pickWarehouse(1); }
void TPartsDialog::SBck2Click() { pickWarehouse(2); }
void TPartsDialog::SBsp1Click() { pickGoods(1); }
void TPartsDialog::SBsp2Click() { pickGoods(2); }

bool TPartsDialog::wholeAndCountHold(QLineEdit* warehouse, const QString& noWarehouse)
{
    if (blank(warehouse))
        return refuse(noWarehouse, warehouse);
    if (idOf(spid1) == 0)
        return refuse(desc_.wholeMissing, txm1);
    if (typedValue(countEdit).isZero())
        return refuse(desc_.countZero, countEdit);
    return true;
}

void TPartsDialog::SB1Click()
{
    if (!wholeAndCountHold(ck2, kNoPartWarehouse))
        return;
    const qint64 whole = idOf(spid1), part = idOf(spid2);
    const Money count = typedValue(countEdit), coef = typedValue(coefEdit);
    if (part == 0)
        return void(refuse(desc_.partMissing, txm2));
    if (whole == part)
        return void(refuse(QStringLiteral("零件不可跟整件相同！"), txm2));
    if (coef.isZero())
        return void(refuse(desc_.coefZero, coefEdit));
    addPart(*DM1, *desc_.kind, whole, part, coef, count);
    cha->click();
    txm2->setFocus();
    for (QLineEdit* f : {static_cast<QLineEdit*>(txm2), ppgg2, dw2})
        f->clear();
    for (QLineEdit* f : {kcsl2, spid2, static_cast<QLineEdit*>(coefEdit)})
        f->setText(kZero);
}

void TPartsDialog::SB2Click()
{
    Query& list = DM1->AQ1;
    if (!list.isOpen() || list.isEmpty())
        return;
    deletePart(*DM1, *desc_.kind, idOf(spid1), list.integer(QStringLiteral("spid2")));
    cha->click();
}

void TPartsDialog::BitBtn1Click()
{
    if (!wholeAndCountHold(ck1, kNoWholeWarehouse))
        return;
    if (!DM1->AQ1.isOpen() || DM1->AQ1.isEmpty())
        return void(refuse(QStringLiteral("零件不可为空！"), nullptr));
    {
        const ControlsDisabled still(DM1->AQ1);
        confirmParts(*DM1, *desc_.kind, idOf(spid1), typedValue(countEdit));
    }
    // Step 1 empties for the next one; the warehouse and step 2 stay.
    txm1->setFocus();
    for (QLineEdit* f : {static_cast<QLineEdit*>(txm1), ppgg1, dw1})
        f->clear();
    spid1->setText(kZero);
    kcsl1->setText(kZero);
    countEdit->setText(kOne);
}

void TPartsDialog::done(int r)
{
    DM1->AQ1.close();
    QDialog::done(r);
}
