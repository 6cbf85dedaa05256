#!/usr/bin/env bash
# qvtool end to end: a generated book, encrypted, is described, listed, its category tree
# printed, and refused with a wrong or missing password; a table file lists through a filter;
# bad filters exit 2.
set -u
qvtool="$1"
source "$(dirname "$0")/check.sh"

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

# add: entries as the edit window adds them with OK, into an encrypted book.
"$qvtool" generate "$work/add.qvp" --entries 3 --orgs 2 --categories 3 --seed 4 --password pw
first="$("$qvtool" add "$work/add.qvp" --password pw 'Name=Ann, B. Lee' Company='New Works' 'Category=Family 1' Phone=555)"
check "add prints the next number" 2004 "$first"
check "the name went through the name rule and the org was made" "Ann B Lee${tab}Ann${tab}B${tab}Lee${tab}1001${tab}1000${tab}false" \
  "$("$qvtool" list "$work/add.qvp" --password pw --filter "ClientID=$first" --fields Name,GivenName,MidName,SurName,Group1,Group2,Yellow)"
"$qvtool" add "$work/add.qvp" --password pw SurName=Stone GivenName=Eve Company='NEW WORKS' > /dev/null
check "parts make the name; the org is found whatever its case" "Eve Stone${tab}$("$qvtool" list "$work/add.qvp" --password pw --filter "ClientID=$first" --fields OrgID)" \
  "$("$qvtool" list "$work/add.qvp" --password pw --filter "ClientID=2005" --fields Name,OrgID)"
"$qvtool" add "$work/add.qvp" --password pw 'Company=Solo Org' > /dev/null
check "a blank name with an org is a yellow page entry" "Solo Org${tab}Solo Org${tab}true" \
  "$("$qvtool" list "$work/add.qvp" --password pw --filter "ClientID=2006" --fields Name,SurName,Yellow)"
check "an unknown field exits 2" 2 "$("$qvtool" add "$work/add.qvp" --password pw Nickname=x > /dev/null 2>&1; echo $?)"
check "a blank entry exits 2" 2 "$("$qvtool" add "$work/add.qvp" --password pw 'Name= ' > /dev/null 2>&1; echo $?)"
check "a blank entry says why" "qvtool: a blank entry (no name and no org) is not added" \
  "$("$qvtool" add "$work/add.qvp" --password pw Phone=1 2>&1 > /dev/null)"
check "refused adds leave the book as it was" "entries: 6" "$("$qvtool" info "$work/add.qvp" --password pw | head -n 1)"

# search: the search window's Start Search with the given field labels selected.
"$qvtool" generate "$work/find.qvp" --entries 0 --orgs 0 --categories 0
"$qvtool" add "$work/find.qvp" 'Name=Ann Smith' 'Company=Anchor Bank' > /dev/null
"$qvtool" add "$work/find.qvp" 'Name=Bob Smithers' 'Company=Harbour Tools' > /dev/null
"$qvtool" add "$work/find.qvp" "Name=Pat O'Brien" 'Company=Bank of Hills' > /dev/null
org_of() { "$qvtool" list "$work/find.qvp" --filter "Name='$1'" --fields OrgID; }
check "one field: its filter, then the names found, letter case ignored" "Name LIKE '%SMITH%'
Ann Smith
Bob Smithers" "$("$qvtool" search "$work/find.qvp" --text ' SMITH ' Name 2>&1)"
check "a quote in the text is doubled" "Name LIKE '%o''b%'
Pat O'Brien" "$("$qvtool" search "$work/find.qvp" --text "o'b" Name 2>&1)"
check "an org field lists the entries of the matching orgs" "(OrgID=$(org_of 'Ann Smith') OR OrgID=$(org_of 'Bob Smithers'))
Ann Smith
Bob Smithers" "$("$qvtool" search "$work/find.qvp" --text 'r' Org 2>&1)"
check "several fields are joined by OR, unknown labels skipped" "Address LIKE '%bank%' OR Name LIKE '%bank%' OR (OrgID=$(org_of 'Ann Smith') OR OrgID=$(org_of "Pat O''Brien"))
Ann Smith
Pat O'Brien" "$("$qvtool" search "$work/find.qvp" --text bank --logic AND 'Home Address' Unknown name Org 2>&1)"
check "an org search without a match lists nobody" "OrgID=-1" \
  "$("$qvtool" search "$work/find.qvp" --text nowhere --logic OR Org 2>&1)"
check "an unknown logic is a usage error" 1 "$("$qvtool" search "$work/find.qvp" --text x --logic XOR Name > /dev/null 2>&1; echo $?)"
check "a search without a label is a usage error" 1 "$("$qvtool" search "$work/find.qvp" --text x > /dev/null 2>&1; echo $?)"

echo "$failures failed"
[ "$failures" -eq 0 ]
