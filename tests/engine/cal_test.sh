#!/usr/bin/env bash
# Runs the built lunoria-cal: dump columns of a few telling days, pages, and exit code 2 on bad input.
set -u
cal=$1
# The memo folder's holiday list is read from $HOME/Documents/我的记事; none at first.
HOME=$(mktemp -d)
export HOME
trap 'rm -rf "$HOME"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_line() {  # date, then the expected line without the holiday column
    local got
    got=$("$cal" --dump "$1" "$1" | cut -f1-8) || { fail "--dump $1 exited $?"; return; }
    [ "$got" = "$2" ] || fail "--dump $1: got '$got', want '$2'"
}
tab=$'\t'
expect_line 1900-01-31 "1900-01-31${tab}1900${tab}1${tab}1${tab}0${tab}29${tab}0${tab}春节"
expect_line 2020-10-01 "2020-10-01${tab}2020${tab}8${tab}15${tab}0${tab}30${tab}0${tab}中秋"
expect_line 2023-03-22 "2023-03-22${tab}2023${tab}2${tab}1${tab}1${tab}29${tab}0${tab}-"
expect_line 2023-04-20 "2023-04-20${tab}2023${tab}3${tab}1${tab}0${tab}29${tab}2${tab}-"  # 谷雨
expect_line 2026-12-07 "2026-12-07${tab}2026${tab}10${tab}29${tab}0${tab}30${tab}1${tab}-"
expect_line 2026-12-22 "2026-12-22${tab}2026${tab}11${tab}14${tab}0${tab}30${tab}2${tab}-"
expect_line 2033-12-22 "2033-12-22${tab}2033${tab}11${tab}1${tab}1${tab}29${tab}0${tab}-"
expect_line 2051-02-10 "2051-02-10${tab}2050${tab}12${tab}29${tab}0${tab}29${tab}0${tab}除夕"
expect_line 2057-09-28 "2057-09-28${tab}2057${tab}9${tab}1${tab}0${tab}30${tab}0${tab}-"
expect_line 2100-12-31 "2100-12-31${tab}2100${tab}12${tab}1${tab}0${tab}29${tab}0${tab}-"

# The whole range: one line per day, nine columns each, 74 leap months entered.
all=$("$cal" --dump 1900-01-31 2100-12-31) || fail "whole-range dump exited $?"
[ "$(wc -l <<<"$all")" -eq 73384 ] || fail "whole range has $(wc -l <<<"$all") lines"
[ "$(awk -F'\t' 'NF != 9' <<<"$all" | wc -l)" -eq 0 ] || fail "lines without nine columns"
[ "$(awk -F'\t' '$4 == 1 && $5 == 1' <<<"$all" | wc -l)" -eq 74 ] || fail "leap months entered"
# Every month of the range has both its solar terms.
[ "$(awk -F'\t' '$7 != 0' <<<"$all" | wc -l)" -eq $((201 * 24 - 2)) ] || fail "solar terms to 2100"  # January 1900's come before the range

page=$("$cal" 2026 2) || fail "page 2026-02 exited $?"
grep -q '乙巳【蛇】年－丙午【马】年' <<<"$page" || fail "caption of 2026-02"
grep -q '春节' <<<"$page" || fail "2026-02-17 reads 春节"
grep -q ' 15休 .* 21休$' <<<"$page" && grep -qx '节假日：春节 14日班 15-23日休 28日班' <<<"$page" ||
    fail "2026-02 shows its 休 and 班"

# The memo folder's holiday list adds a year, clears a day, and --check-holidays names its bad lines.
list="$HOME/Documents/我的记事/节假日.txt"
mkdir -p "$(dirname "$list")"
printf '# 2027\r\n2027-01-01 休 元旦\r\n2026-10-01 -\r\n2027-01-32 休\r\n2027-01-04 放\r\n' >"$list"
grep -qx '节假日：元旦 1日休；春节 25-28日休；2028年的调休安排尚未公布' <<<"$("$cal" 2028 1)" || fail "2028 has the law's days only"
grep -qx '节假日：2028年的调休安排尚未公布' <<<"$("$cal" 2028 3)" || fail "2028-03 says the schedule is not out"
# An imported schedule is checked, kept beside the list and shown; a bad one is refused and kept out.
json='{"year":2028,"papers":[],"days":[{"name":"元旦","date":"2027-12-31","isOffDay":true},{"name":"元旦","date":"2028-01-02","isOffDay":false}]}'
"$cal" --import-holidays <(sed 's/2027-12-31/2026-12-31/' <<<"$json") 2>/dev/null && fail "--import-holidays takes a date two years off"
"$cal" --import-holidays <(echo "$json") | grep -q '^2028: 2 days kept in .*我的记事/节假日/2028.json$' || fail "--import-holidays"
[ "$("$cal" --dump 2027-12-31 2028-01-02 | cut -f9 | tr '\n' ,)" = "休,,班," ] || fail "the kept 2028 file counts, 2027-12-31 too"
grep -qx '节假日：元旦 1日休' <<<"$("$cal" 2027 1)" || fail "the list adds 2027"
[ "$("$cal" --dump 2026-10-01 2026-10-02 | cut -f9 | tr '\n' ,)" = ",休," ] || fail "the list clears 2026-10-01"
out=$("$cal" --check-holidays)
[ $? -eq 1 ] && grep -qx "$list:4: no such date" <<<"$out" && grep -qx "$list:5: no 休, 班 or - after the date" <<<"$out" ||
    fail "--check-holidays lists lines 4 and 5: '$out'"
"$cal" --check-holidays <(head -3 "$list") | grep -q 'added by the list: 2027' || fail "--check-holidays FILE, no bad line"
[ "$("$cal" 1900 | grep -c '年.*月')" -eq 11 ] || fail "year 1900 prints February to December"
[ "$("$cal" 2100 | grep -c '年.*月')" -eq 12 ] || fail "year 2100 prints every month"

for args in "1899" "2101" "2026 13" "2026 0" "abc" "2026 x" "1900 1" "1 2 3" "--bogus" \
            "--dump 2020-02-30 2020-03-01" "--dump 1900-01-30 1900-02-01" "--dump 2100-12-31 2101-01-01" \
            "--dump 2020-1-1 2020-01-02" "--dump 2020-01-02" "--dump 2020-01-02 2020-01-01" "-1 5" \
            "--check-holidays /no/such/file" "--check-holidays a b"; do
    # shellcheck disable=SC2086
    err=$("$cal" $args 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 2 ] || fail "'$args' exited $rc, want 2"
    [ "$(wc -l <<<"$err")" -eq 1 ] && [ -n "$err" ] || fail "'$args' should print one error line, got '$err'"
done

[ $failures -eq 0 ] && echo "all lunoria-cal checks passed"
exit $((failures > 0))
