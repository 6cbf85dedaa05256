#!/usr/bin/env bash
# qvtool end to end: a generated book, encrypted, is described, listed, its category tree
# printed, and refused with a wrong or missing password; a table file lists through a filter;
# bad filters exit 2.
set -u
qvtool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

check() { # description, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1))
  fi
}

"$qvtool" generate "$work/book.qvp" --entries 300 --orgs 20 --categories 7 --seed 5 --password pw
check "generate exits 0" 0 $?
check "info of the generated book" "entries: 300
orgs: 21
categories: 7
fields: 29
encrypted: yes" "$("$qvtool" info "$work/book.qvp" --password pw)"
check "the zip tool opens it with the password" 0 "$(unzip -qq -t -P pw "$work/book.qvp" > /dev/null; echo $?)"

message="$("$qvtool" info "$work/book.qvp" --password wrong 2>&1 > /dev/null)"
check "a wrong password exits 2" 2 "$("$qvtool" info "$work/book.qvp" --password wrong > /dev/null 2>&1; echo $?)"
check "a wrong password says why" "Loading addressbook fail due to invalid package format." "$message"
check "a missing password exits 2" 2 "$("$qvtool" list "$work/book.qvp" --count > /dev/null 2>&1; echo $?)"
check "a missing file exits 2" 2 "$("$qvtool" info "$work/none.qvp" > /dev/null 2>&1; echo $?)"

all="$("$qvtool" list "$work/book.qvp" --password pw --count)"
check "every entry is listed" 300 "$all"
white="$("$qvtool" list "$work/book.qvp" --password pw --filter 'not (Yellow=true)' --count)"
yellow="$("$qvtool" list "$work/book.qvp" --password pw --filter 'Yellow=true' --count)"
check "white and yellow pages make up the book" 300 "$((white + yellow))"
last="$("$qvtool" list "$work/book.qvp" --password pw --fields Yellow | tail -n 1)"
check "yellow page entries come last" "$([ "$yellow" -gt 0 ] && echo true || echo false)" "$last"

tab="$(printf '\t')"
check "the tree prints every node by depth, text and number" "All Entries${tab}1000
${tab}Search Results${tab}101
${tab}Family 1${tab}1001
${tab}Friends 2${tab}1002
${tab}${tab}Clients 4${tab}1004
${tab}${tab}Suppliers 5${tab}1005
${tab}${tab}Neighbours 6${tab}1006
${tab}Work 3${tab}1003
${tab}${tab}School 7${tab}1007" "$("$qvtool" tree "$work/book.qvp" --password pw)"
message="$("$qvtool" tree "$work/book.qvp" --password wrong 2>&1 > /dev/null)"
check "a tree that cannot load exits 2" 2 "$("$qvtool" tree "$work/book.qvp" --password wrong > /dev/null 2>&1; echo $?)"
check "a tree that cannot load says why" "Loading addressbook fail due to invalid package format." "$message"
"$qvtool" generate "$work/small.qvp" --entries 5 --categories 2 --seed 1
mkdir "$work/members" && unzip -qq "$work/small.qvp" -d "$work/members"
printf 'All\r\n\t\t\tDeep\r\n' > "$work/members/tree.dff"
(cd "$work/members" && zip -qq -X "$work/badtree.qvp" ./*)
message="$("$qvtool" tree "$work/badtree.qvp" 2>&1 > /dev/null)"
check "a broken tree file exits 2" 2 "$("$qvtool" tree "$work/badtree.qvp" > /dev/null 2>&1; echo $?)"
check "a broken tree file says why" 'Invalid level (3) for item "Deep" while loading addressbook.' "$message"

"$qvtool" generate "$work/plain" --entries 50 --orgs 5 --seed 2
check "table files are written" "yes" "$([ -f "$work/plain.names.dbf" ] && [ -f "$work/plain.agents.dbf" ] && echo yes)"
check "a table file lists by filter" \
  "$("$qvtool" list "$work/plain.names.dbf" --fields ClientID,Name | awk -F'\t' '$1 == 2010 {print $2}')" \
  "$("$qvtool" list "$work/plain.names.dbf" --filter 'ClientID=2010' --fields Name)"
check "a filter that does not parse exits 2" 2 "$("$qvtool" list "$work/plain.names.dbf" --filter 'Name=' > /dev/null 2>&1; echo $?)"
check "an unknown field exits 2" 2 "$("$qvtool" list "$work/plain.names.dbf" --fields Nickname > /dev/null 2>&1; echo $?)"

echo "$failures failed"
[ "$failures" -eq 0 ]
