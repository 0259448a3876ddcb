// The comprehensive statistics: the seventeen figures with and without a date range, the
// statements and the queries they leave, the window's run, a failing block, and the print.

#include "finance_shop.h"

#include "finance/Udysztj1.h"
#include "finance/comprehensive_statistics.h"
#include "support/PreviewTexts.h"

namespace {

class Statistics : public FinanceShop {
protected:
    void SetUp() override
    {
        FinanceShop::SetUp();
        exec("INSERT INTO cgfx(rq,sl,je) VALUES('2024-05-01',10,100),('2024-05-10',-2,-20);"
             "INSERT INTO xsfx(rq,sl,je) VALUES('2024-05-02',3,90),('2024-06-01',1,35);"
             "INSERT INTO rkfx(rq,sl,je) VALUES('2024-05-03',-1,-10),('2024-05-03',1,10),('2024-05-20',-2,-16);"
             "INSERT INTO sp(kcsl,kcje) VALUES(8,64),(5,50.5),(-1,-9);"
             "INSERT INTO cgglz(rq,shbj,yfe,sfe,qk) VALUES('2024-05-01','已审核',100,80,20),"
             " ('2024-05-04','未审核',50,0,50),('2024-05-10','已审核',-40,0,-40);"
             "INSERT INTO xsglz(rq,shbj,yse,sse,qk) VALUES('2024-05-02','已审核',90,50,40),"
             " ('2024-06-01','已审核',35,35,0),('2024-05-03','未审核',60,0,60);"
             "INSERT INTO fkfx(rq,shbj,je) VALUES('2024-05-01','已审核',30),('2024-05-02','已审核',12.5),"
             " ('2024-05-03','已审核',50),('2024-05-04','未审核',20);"
             "INSERT INTO skfx(rq,shbj,je) VALUES('2024-05-02','已审核',50),('2024-06-01','已审核',35),"
             " ('2024-05-04','已审核',7);"
             "INSERT INTO szfx(rq,se,ze) VALUES('2024-05-01',100,0),('2024-05-01',0,30),('2024-06-01',0,12.5)");
    }
    static StatisticsPeriod range(QDate from, QDate to) { return {.on = true, .from = from, .to = to}; }
    // The figures of every row, and of 2024-05-01 to 2024-05-05, by name.
    const QString all = "cgsl=8 cgje=80 xssl=4 xsje=125 rksl=-2 rkje=-16 kcsl=12 kcje=105.5 "
                        "yf=60 sf=80 qk1=-20 ys=125 ss=85 qk2=40 fk=92.5 sk=92 sz=57.5";
    const QString earlyMay = "cgsl=10 cgje=100 xssl=3 xsje=90 rksl=0 rkje=0 kcsl=12 kcje=105.5 "
                             "yf=100 sf=80 qk1=20 ys=90 ss=50 qk2=40 fk=92.5 sk=57 sz=70";
    const QString zeros = "cgsl=0 cgje=0 xssl=0 xsje=0 rksl=0 rkje=0 kcsl=0 kcje=0 "
                          "yf=0 sf=0 qk1=0 ys=0 ss=0 qk2=0 fk=0 sk=0 sz=0";
    // Figures as "name=text ...": those a run gives, and those the window shows.
    static QString byName(const QStringList& texts)
    {
        QStringList out;
        for (int i = 0; i < statisticsFigureNames().size(); ++i)
            out << statisticsFigureNames()[i] + '=' + texts.value(i);
        return out.join(' ');
    }
    static QString shown(const TFsztj1& w)
    {
        QStringList out;
        for (const QString& name : statisticsFigureNames())
            out << name + '=' + w.figure(name)->text();
        return out.join(' ');
    }
    // Prints through BB2: the texts of the page, by label.
    QStringList print(TFsztj1& w)
    {
        return previewTexts(modal, reportForm(Fdysztj1).QuickRep1,
                            QStringList{"QRLdw", "rq"} + statisticsFigureNames() + QStringList{"QRLdyrq"},
                            [&w] { w.BB2->click(); });
    }
};

}

TEST_F(Statistics, SeventeenFiguresWithAndWithoutARange)
{
    const struct {
        StatisticsPeriod period;
        QString figures;
    } cases[] = {
        {{}, all},
        {range(QDate(2024, 5, 1), QDate(2024, 5, 5)), earlyMay},
        {range(QDate(2024, 6, 1), QDate(2024, 6, 1)),
         "cgsl=0 cgje=0 xssl=1 xsje=35 rksl=0 rkje=0 kcsl=12 kcje=105.5 yf=0 sf=0 qk1=0 ys=35 ss=35 qk2=0 fk=0 sk=35 sz=-12.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(byName(statisticsFigureTexts(runComprehensiveStatistics(*dm, c.period))), c.figures) << c.period.on;

    // Each query is left on the rows behind its sums, by id.
    const QVector<StatisticsBlock> blocks = statisticsBlocks(range(QDate(2024, 6, 1), QDate(2024, 6, 1)));
    QStringList left;
    for (const StatisticsBlock& b : blocks)
        left << (*dm.*b.query).name() + ":" + QString::number((*dm.*b.query).recordCount());
    EXPECT_EQ(left, (QStringList{"AQcgfx1:0", "AQxsfx1:1", "AQrkfx1:0", "AQkcfx1:3", "AQcgz1:0", "AQxsz1:1", "AQskfx1:1",
                                 "AQfkfx1:0", "AQszfx1:1"}));
    EXPECT_EQ(blocks[4].sumLines, (QStringList{"SELECT sum(yfe),sum(sfe),sum(qk)  FROM cgglz", "where shbj='已审核'",
                                               "and rq>='2024-06-01'and rq<='2024-06-01'"}));
    EXPECT_EQ(statisticsBlocks({})[6].sumLines, (QStringList{"SELECT sum(je) FROM skfx", "where shbj='已审核'"}));
}

TEST_F(Statistics, WindowShowsAFullRunOnlyAndPrintsThePeriodOfTheRun)
{
    openComprehensiveStatistics();
    TFsztj1& w = *Fsztj1;
    EXPECT_EQ(w.DateTimePicker2->date(), QDate(2024, 5, 3));
    EXPECT_EQ(w.DateTimePicker1->date(), QDate(2024, 4, 3));
    EXPECT_EQ(shown(w), zeros);
    // Before any run: the zeros, and no period line while the box is unticked.
    const QStringList before = print(w);
    EXPECT_EQ(Fdysztj1->QuickRep1.ReportTitle, "打印预览");
    EXPECT_EQ(before.mid(0, 2), (QStringList{"QRLdw=禾岚家电进销存财综合统计表", "rq="}));
    for (const QString& figure : before.mid(2, 17))
        EXPECT_TRUE(figure.endsWith("：0")) << figure.toStdString();
    EXPECT_EQ(before.last(), "QRLdyrq=打印日期：2024-05-03");

    w.CheckBox1->setChecked(true);
    w.DateTimePicker1->setDate(QDate(2024, 5, 1));
    w.DateTimePicker2->setDate(QDate(2024, 5, 5));
    sendKey(w.CheckBox1, Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.DateTimePicker1);
    w.BB1->click();
    EXPECT_EQ(shown(w), earlyMay);
    ASSERT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().text, "统计完毕！");
    EXPECT_EQ(rec.last().caption, "提示");
    EXPECT_EQ(rec.last().icon, MsgIcon::Information);
    // The dates changed after the run do not head its figures.
    w.DateTimePicker2->setDate(QDate(2024, 5, 31));
    const QStringList printed = print(w);
    EXPECT_EQ(printed.mid(1, 3), (QStringList{"rq=统计日期：2024-05-01至2024-05-05", "cgsl=采购数量：10", "cgje=采购金额：100"}));
    EXPECT_EQ(printed.mid(10, 9), (QStringList{"yf=采购应付：100", "sf=采购实付：80", "qk1=采购欠款：20", "ys=销售应收：90",
                                               "ss=销售实收：50", "qk2=销售欠款：40", "fk=营业付款：92.5", "sk=营业收款：57",
                                               "sz=其他收支：70"}));

    // An unticked run, then the box ticked: no period line.
    w.CheckBox1->setChecked(false);
    w.BB1->click();
    EXPECT_EQ(shown(w), all);
    w.CheckBox1->setChecked(true);
    EXPECT_EQ(print(w).at(1), "rq=");

    // A block that fails: the error shown, every figure as it was, no "统计完毕！".
    rec.clear();
    exec("INSERT INTO cgfx(rq,sl,je) VALUES('2024-05-05',1,1)");   // the first blocks would differ
    exec("ALTER TABLE szfx RENAME TO szfx_gone");
    sendKey(w.BB1, Qt::Key_Space);
    EXPECT_EQ(rec.count(), 1);
    EXPECT_EQ(rec.last().icon, MsgIcon::Error);
    EXPECT_EQ(shown(w), all);
    EXPECT_FALSE(dm->AQszfx1.controlsDisabled());
    exec("ALTER TABLE szfx_gone RENAME TO szfx");

    // Empty tables give zeros; applied payments of 0.1 and 0.2 give 0.3.
    for (const char* t : {"cgfx", "xsfx", "rkfx", "sp", "cgglz", "xsglz", "fkfx", "skfx", "szfx"})
        exec(QStringLiteral("DELETE FROM ") + t);
    w.CheckBox1->setChecked(false);
    w.BB1->click();
    EXPECT_EQ(shown(w), zeros);
    exec("INSERT INTO fkfx(rq,shbj,je) VALUES('2024-05-01','已审核',0.1),('2024-05-02','已审核',0.2)");
    w.BB1->click();
    EXPECT_EQ(w.figure("fk")->text(), "0.3");
    EXPECT_EQ(rec.texts().mid(1), QStringList(2, "统计完毕！"));

    sendKey(w.BB1, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Fsztj1.data(), nullptr);
}
