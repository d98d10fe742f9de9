#!/bin/sh
# tools/install-deps against a fake package manager whose lock is held for a while.
set -eu
tool=$(cd "$(dirname "$0")/.." && pwd)/tools/install-deps
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# Every package is missing; apt-get fails on the lock until its count of calls reaches BUSY.
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/bin/sh
echo not-installed
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/sh
n=$(($(cat "$CALLS" 2>/dev/null || echo 0) + 1))
echo "$n" >"$CALLS"
echo "apt-get $*" >>"$CALLS.log"
if [ "$n" -le "$BUSY" ]; then
  echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (unattended-upgr)" >&2
  exit 100
fi
[ -z "${BROKEN:-}" ] || [ "$1" != install ] || { echo "E: Unable to locate package $BROKEN" >&2; exit 100; }
FAKE
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"   # as root: no sudo
chmod +x "$work/bin/dpkg-query" "$work/bin/apt-get" "$work/bin/id"
export PATH="$work/bin:$PATH" INSTALL_DEPS_RETRY=0 CALLS="$work/calls"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Busy for three tries: it waits, says so once, then updates and installs.
BUSY=3 "$tool" pkg-a pkg-b >"$work/out" 2>&1 || fail "gave up on a lock that was freed: $(cat "$work/out")"
[ "$(grep -c 'waiting for it' "$work/out")" -eq 1 ] || fail "did not say it waits: $(cat "$work/out")"
grep -q 'apt-get install -y -q --no-install-recommends  *pkg-a pkg-b' "$work/calls.log" || fail "did not install"

# Busy for longer than the wait: fails, saying why.
rm -f "$work/calls" "$work/calls.log"
if BUSY=1000 INSTALL_DEPS_WAIT=3 "$tool" pkg-a >"$work/out" 2>&1; then fail "succeeded on a held lock"; fi
grep -q 'still busy' "$work/out" || fail "no reason given: $(cat "$work/out")"

# Any other failure ends at once.
rm -f "$work/calls" "$work/calls.log"
if BUSY=0 BROKEN=pkg-a "$tool" pkg-a >"$work/out" 2>&1; then fail "succeeded on a failed install"; fi
[ "$(cat "$work/calls")" -eq 2 ] || fail "tried a failed install again"
echo "install-deps waits for a busy package manager"
