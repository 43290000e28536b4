# The Debian package: built with CPack from this build folder, unpacked into a temporary root,
# an installation made with the installed generator and the installed menu started under Xvfb.
add_test(NAME e2e.package.install
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_e2e.sh ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
set_tests_properties(e2e.package.install PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
# The README's schema command: the shipped SQLite schema loads and holds the rows the menu reads.
add_test(NAME packaging.sql_schema_sqlite
  COMMAND bash -c "set -e; d=$(mktemp -d); trap 'rm -rf $d' EXIT; sqlite3 $d/TAV_OFFICE.db < '${CMAKE_SOURCE_DIR}/packaging/sql/tav_schema_sqlite.sql'; test \"$(sqlite3 $d/TAV_OFFICE.db \"SELECT 名称名称 FROM 名称マスタ WHERE 名称ＩＤ = 'TAV_MENU' AND 名称区分 = 'M0'\")\" = TAV_MENU1.DAT; test \"$(sqlite3 $d/TAV_OFFICE.db \"SELECT メニューヘッダ FROM 自社情報 WHERE アドレス = 100\")\" = '株式会社マルヴネ　本店'")
