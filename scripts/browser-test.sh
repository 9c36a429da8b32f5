#!/usr/bin/env bash
# twainlog report in a real browser: Debian's chromium, headless, loads the page of the demo
# session and the page of a hostile log, and its DOM must show one timeline mark per entry,
# the failure, capability and image tables, no element of the log's making (script, img, link,
# iframe, ...), no link out of the page, and the hostile names as text. The hostile log points
# at a local HTTP server, which must see no request. Screenshots stay in the build tree.
# Usage: scripts/browser-test.sh [BUILD_DIR]   (default build/dev, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
work="$build/browser-test"
rm -rf "$work"
mkdir -p "$work/www"

# The demo session's log: the session prints where it wrote it.
log=$("$build/twain_demo_session" 2>/dev/null | sed -n 's/^Log file: //p')
cp "$log" "$work/demo.txt"
rm -f "$log"

# A server that counts what the page asks of it.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" \
    >/dev/null 2>"$work/requests.txt" &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT

url="http://127.0.0.1:$port"
name="</title><script>document.title='hacked'</script>]]></svg><img src=$url/img>"
name+="<link rel=stylesheet href=$url/css><iframe src=$url/frame></iframe>"
name+="<p style=\"background:url($url/bg)\">"
entry() { # sequence label triplet return-code state [block lines...]
    local sequence=$1 label=$2 triplet=$3 code=$4 state=$5
    shift 5
    printf '[%05d] [%s] %s\r\n        Return Code = [%s]\r\npData   = <0x0badf00d>\r\n' \
        "$sequence" "$label" "$triplet" "$code"
    local line
    for line in "$@"; do printf '%s\r\n' "$line"; done
    if [ "$code" = TWRC_FAILURE ]; then
        printf '*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n'
    else
        printf '\r\nTWAIN Status = [%s]\r\n' "$state"
    fi
}
{
    entry 1 APP DG_CONTROL/DAT_IDENTITY/MSG_OPENDS TWRC_SUCCESS 4 \
        '  TW_IDENTITY = {' "    ProductName = [$name]" "    Manufacturer = [$name]" '  }'
    entry 2 APP "DG_CONTROL/DAT_CAPABILITY/MSG_SET ($name)" TWRC_FAILURE 4 \
        '  TW_CAPABILITY = {' "    Cap        = [$name]" '    TW_ONEVALUE = {' \
        "      Item     = [$name]" '    }' '  }'
    entry 3 DS DG_CONTROL/DAT_NULL/MSG_XFERREADY TWRC_SUCCESS 6
    printf '%s\r\n' "$name"
} >"$work/hostile.txt"

browser() { # page, then chromium's action
    local page=$1
    shift
    timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$(mktemp -d "$work/profile.XXXXXX")" --window-size=1200,1000 "$@" \
        "file://$PWD/$page" 2>>"$work/chromium.txt"
}

for session in demo hostile; do
    "$build/twainlog" report "$work/$session.txt" -o "$work/$session.html" 2>/dev/null
    browser "$work/$session.html" --dump-dom >"$work/$session.dom.html"
    browser "$work/$session.html" --screenshot="$PWD/$work/$session.png" >/dev/null
    entries=$(grep -c '^        Return Code = \[' "$work/$session.txt")
    python3 - "$work/$session.dom.html" "$entries" "$session" <<'EOF'
import sys
from html.parser import HTMLParser

class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.elements, self.stack, self.marks, self.tables, self.text = {}, [], 0, set(), []
        self.outward, self.title = [], ""

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.elements[tag] = self.elements.get(tag, 0) + 1
        if tag == "a" and attrs.get("class") == "call" and "svg" in self.stack:
            self.marks += 1
        if tag == "table":
            self.tables.add(attrs.get("class"))
        for key, value in attrs.items():
            if key in ("src", "srcset", "action", "data", "poster", "background") or (
                    key in ("href", "xlink:href") and not (value or "").startswith("#")) or (
                    key == "style" and "url(" in (value or "")):
                self.outward.append((tag, key, value))
        if tag not in ("meta", "link", "img", "br", "input", "rect", "line", "polyline"):
            self.stack.append(tag)

    def handle_endtag(self, tag):
        if tag in self.stack:
            del self.stack[len(self.stack) - 1 - self.stack[::-1].index(tag):]

    def handle_data(self, data):
        self.text.append(data)
        if self.stack and self.stack[-1] == "title" and "svg" not in self.stack:
            self.title += data

path, entries, session = sys.argv[1], int(sys.argv[2]), sys.argv[3]
page = Page()
page.feed(open(path, encoding="utf-8").read())
faults = []
if page.marks != entries:
    faults.append(f"{page.marks} timeline marks for {entries} entries")
for table in ("failures", "capabilities", "images"):
    if table not in page.tables:
        faults.append(f"no {table} table")
for tag in ("script", "img", "iframe", "object", "embed", "form", "base"):
    if page.elements.get(tag):
        faults.append(f"{page.elements[tag]} <{tag}> elements")
if page.elements.get("link"):
    faults.append("a <link> element")
if page.outward:
    faults.append(f"references out of the page: {page.outward[:3]}")
text = "".join(page.text)
if session == "hostile" and "</title><script>document.title='hacked'</script>]]></svg>" not in text:
    faults.append("the hostile name is not shown as text")
if not page.title.startswith("twainlog report: "):
    faults.append(f"the page's title is {page.title!r}")
for fault in faults:
    print(f"browser test, {session}: {fault}", file=sys.stderr)
print(f"browser test, {session}: {page.marks} marks, tables {sorted(page.tables)}")
sys.exit(1 if faults else 0)
EOF
    [ -s "$work/$session.png" ] || { echo "browser test: no screenshot of $session" >&2; exit 1; }
done
if grep -q 'GET ' "$work/requests.txt"; then
    echo "browser test: the page made requests:" >&2
    cat "$work/requests.txt" >&2
    exit 1
fi
echo "browser test: passed; screenshots in $work"
