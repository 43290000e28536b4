#include "runtime_error.h"

namespace tav::err {

QString description(int number) {
    switch (number) {
        case InvalidCall:
            return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
        case Overflow:
            return QStringLiteral("オーバーフローしました。");
        case OutOfRange:
            return QStringLiteral("インデックスが有効範囲にありません。");
        case TypeMismatch:
            return QStringLiteral("型が一致しません。");
        case BadFileName:
            return QStringLiteral("ファイル名または番号が不正です。");
        case FileNotFound:
            return QStringLiteral("ファイルが見つかりません。");
        case PathNotFound:
            return QStringLiteral("パスが見つかりません。");
        default:
            return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    }
}

void raise(int number) {
    throw RuntimeError(number, description(number));
}

}  // namespace tav::err

namespace tav {

Failure failureOf(const std::exception& e, int otherNumber) {
    if (const auto* re = dynamic_cast<const RuntimeError*>(&e)) return {re->number(), re->description()};
    return {otherNumber, QString::fromLocal8Bit(e.what())};
}

}  // namespace tav
