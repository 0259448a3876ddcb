// The purchase document list's empty-condition run (the dialog's 查询 with nothing typed)
// over a shop of N purchase headers (default 1,000,000), beside the time SQLite alone takes
// to step through the same two statements.
//
//   ./build/bench/bench_purchase_list [headers]

#include "bench_support.h"
#include "queries/Ucggl1.h"
#include "queries/Ucxcg1.h"

int main(int argc, char** argv)
{
    BenchShop shop(argc, argv, 1000000);
    const double gen = bench::timed([&] {
        shop.dm.ADOC1.exec(QStringLiteral(
            "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
            "INSERT INTO cgglz (dh,rq,kdrq,shbj,zhidan,ck,ghs,jsr,bz,hjsl,hjje,yhe,yfe,sfe,qk) "
            "SELECT 'CG' || printf('%08d', i) || '001', date('2020-01-01', '+' || (i % 1500) || ' days'), "
            "date('2020-01-01', '+' || (i % 1500) || ' days'), CASE WHEN i % 7 = 0 THEN '未审核' ELSE '已审核' END, "
            "'系统管理员', '总仓', '供应商' || (i % 300), '员工' || (i % 20), '', i % 9 + 1, "
            "(i % 1000) * 1.25, 0, (i % 1000) * 1.25, (i % 1000) * 1.25 - (i % 3), i % 3 FROM k")
                               .arg(shop.size));
    });
    std::printf("generated %lld purchase headers in %.0f ms\n", shop.size, gen);

    TFcggl1 w;
    TFcxcg1 dlg(&w, &w);
    bench::listRounds(w, dlg, shop.dm.ADOC1.handle());
    return 0;
}
