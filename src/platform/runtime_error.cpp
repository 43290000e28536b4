#include "runtime_error.h"

namespace tav::err {

QString description(int number) {
    struct Entry {
        int number;
        const char16_t* text;
    };
    static constexpr Entry kTable[] = {
        {InvalidCall, u"プロシージャの呼び出し、または引数が不正です。"},
        {Overflow, u"オーバーフローしました。"},
        {OutOfMemory, u"メモリが不足しています。"},
        {OutOfRange, u"インデックスが有効範囲にありません。"},
        {TypeMismatch, u"型が一致しません。"},
        {BadFileName, u"ファイル名または番号が不正です。"},
        {FileNotFound, u"ファイルが見つかりません。"},
        {FileAccess, u"パス名が無効です。"},
        {PathNotFound, u"パスが見つかりません。"},
        {ObjectNotSet, u"データベースまたはレコードセットが開かれていません。"},
        {NoCurrentRecord, u"カレント レコードがありません。"},
        {OdbcCallFailed, u"ODBC呼び出しが失敗しました。"},
        {ItemNotFound, u"指定された列がレコードセットにありません。"},
    };
    for (const Entry& e : kTable)
        if (e.number == number) return QString::fromUtf16(e.text);
    return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
}

void raise(int number) {
    throw RuntimeError(number, description(number));
}

}  // namespace tav::err

namespace tav {

Failure failureOf(const std::exception& e, int otherNumber) {
    if (const auto* re = dynamic_cast<const RuntimeError*>(&e))
        return {re->number(), re->description()};
    return {otherNumber, QString::fromLocal8Bit(e.what())};
}

}  // namespace tav
