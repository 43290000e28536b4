#include "sample_data.h"

namespace tav::sample {

namespace {

struct Customer {
    const char16_t* code;
    const char16_t* name;
    const char16_t* kana;
    const char16_t* address;
    const char16_t* phone;
    long long balance;
    const char16_t* contract;  // yyyymmdd
};

const Customer kCustomers[] = {
    {u"000001", u"山田　太郎", u"ﾔﾏﾀﾞ ﾀﾛｳ", u"東京都新宿区西新宿２－８－１", u"03-1234-5678",
     1200000, u"20190415"},
    {u"000002", u"鈴木　花子", u"ｽｽﾞｷ ﾊﾅｺ", u"神奈川県横浜市中区本町６－５０", u"045-222-3333",
     350000, u"20210301"},
    {u"000003", u"佐藤　一郎", u"ｻﾄｳ ｲﾁﾛｳ", u"埼玉県さいたま市浦和区高砂３－１５", u"048-830-1111",
     0, u"20151120"},
    {u"000004", u"高橋　美咲", u"ﾀｶﾊｼ ﾐｻｷ", u"千葉県千葉市中央区市場町１－１", u"043-223-2222",
     780000, u"20230710"},
    {u"000005", u"田中　健二", u"ﾀﾅｶ ｹﾝｼﾞ", u"東京都八王子市元本郷町３－２４", u"042-626-3111",
     95000, u"20240105"},
    {u"000010", u"株式会社マルヴネ商事", u"ｶ) ﾏﾙｳﾞﾈｼｮｳｼﾞ", u"東京都千代田区丸の内１－９",
     u"03-5555-0101", 5000000, u"20120401"},
    {u"000011", u"伊藤　直樹", u"ｲﾄｳ ﾅｵｷ", u"東京都世田谷区太子堂４－１", u"03-3411-4444", 410000,
     u"20200828"},
    {u"000012", u"渡辺　由美", u"ﾜﾀﾅﾍﾞ ﾕﾐ", u"神奈川県川崎市川崎区東田町８", u"044-200-5555", 60000,
     u"20250212"},
    {u"000020", u"中村　修", u"ﾅｶﾑﾗ ｵｻﾑ", u"東京都江東区東陽４－１１", u"03-3647-6666", 1500000,
     u"20180615"},
    {u"000021", u"小林　恵子", u"ｺﾊﾞﾔｼ ｹｲｺ", u"東京都練馬区豊玉北６－１２", u"03-3993-7777", 220000,
     u"20220919"},
    {u"000100", u"加藤　誠", u"ｶﾄｳ ﾏｺﾄ", u"埼玉県川口市青木２－１", u"048-258-8888", 0,
     u"20110111"},
    {u"000101", u"吉田　彩", u"ﾖｼﾀﾞ ｱﾔ", u"千葉県船橋市湊町２－１０", u"047-436-9999", 130000,
     u"20241201"},
};

QString literal(const char16_t* s) {
    return u'\'' + QString::fromUtf16(s).replace(u'\'', QStringLiteral("''")) + u'\'';
}

}  // namespace

QStringList customerTableStatements() {
    QStringList l;
    l << QStringLiteral("DROP TABLE IF EXISTS 顧客マスタ");
    l << QStringLiteral(
        "CREATE TABLE 顧客マスタ (顧客コード VARCHAR(6) PRIMARY KEY, 顧客名 VARCHAR(40), "
        "顧客カナ VARCHAR(40), 住所 VARCHAR(80), 電話番号 VARCHAR(20), 貸付残高 INTEGER, "
        "契約日 VARCHAR(8))");
    for (const Customer& c : kCustomers)
        l << QStringLiteral("INSERT INTO 顧客マスタ VALUES (%1, %2, %3, %4, %5, %6, %7)")
                 .arg(literal(c.code), literal(c.name), literal(c.kana), literal(c.address),
                      literal(c.phone), QString::number(c.balance), literal(c.contract));
    return l;
}

}  // namespace tav::sample
