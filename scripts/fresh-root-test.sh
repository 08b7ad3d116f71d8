#!/usr/bin/env bash
# Runs the README's test command as a new user would on a fresh Debian 12 machine: a minimal root
# made with debootstrap, a clean clone of HEAD inside it, then scripts/test.sh there. Nothing of
# this machine's packages, fonts or Wine set-up can make it pass.
#
# Usage: scripts/fresh-root-test.sh [--keep]
#   --keep    keep the root afterwards (build/fresh-root) instead of deleting it
# Needs root (debootstrap, chroot, mounts), the network to a Debian mirror ($MV_DEBIAN_MIRROR,
# default deb.debian.org) and about 10 GB free disk. The log is kept in build/fresh-root.log.
set -euo pipefail
cd "$(dirname "$0")/.."

keep=0
[ "${1:-}" = "--keep" ] && keep=1
if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-root-test: needs root (debootstrap, chroot and mounts)" >&2
    exit 2
fi

mirror=${MV_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${MV_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
repo=$PWD
root=$PWD/build/fresh-root
log=$PWD/build/fresh-root.log
mkdir -p build
exec > >(tee "$log") 2>&1

mounts_under_root() {
    findmnt -rn -o TARGET | grep -E "^$root(/|$)" | sort -r || true
}

# Processes still running inside the root (a wineserver, an X server) keep its mounts busy: end
# them by their id, then unmount everything below the root, deepest first.
cleanup() {
    local pid
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null || true
    done
    local target
    for target in $(mounts_under_root); do
        umount -l "$target" 2>/dev/null || true
    done
    if [ -n "$(mounts_under_root)" ]; then
        echo "fresh-root-test: still mounted under $root; not deleting it" >&2
        return
    fi
    [ "$keep" -eq 1 ] || rm -rf --one-file-system "$root"
}
trap cleanup EXIT
# Interrupted (Ctrl+C, a kill): exit through the same clean-up.
trap 'exit 130' INT TERM HUP

# A previous run's leftovers: never delete through a mount that is still there.
cleanup
if [ -n "$(mounts_under_root)" ]; then
    echo "fresh-root-test: $root still has mounts from an earlier run; unmount them first" >&2
    exit 1
fi
rm -rf --one-file-system "$root"

if ! command -v debootstrap > /dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi

step_start=$SECONDS
step() {
    echo "fresh-root-test: $1 ($((SECONDS - step_start)) s so far)"
}

# Minimal root plus git, which a new user has installed to clone the repository.
step "debootstrap bookworm (minbase) into $root"
debootstrap --variant=minbase --include=git,ca-certificates bookworm "$root" "$mirror" > /dev/null
cat > "$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"

mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

# The clone: exactly the committed HEAD, nothing of the working tree or the build folders.
head=$(git -C "$repo" rev-parse HEAD)
git -C "$repo" bundle create "$root/tmp/head.bundle" HEAD 2> /dev/null
in_root() {
    chroot "$root" /usr/bin/env -i HOME=/home/tester PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb "$@"
}
mkdir -p "$root/home/tester"
in_root git -c advice.detachedHead=false clone -q /tmp/head.bundle /home/tester/merovane
in_root git -C /home/tester/merovane checkout -q --detach "$head"
step "cloned $head"

# The packages come from the mirror: the first part of the test command, with the network.
step "scripts/install-deps.sh"
in_root bash -c 'cd /home/tester/merovane && scripts/install-deps.sh'

# The test command itself. It finds every package installed and needs no network; a network
# namespace of its own keeps its X display and sockets apart from this machine's.
step "scripts/test.sh"
test_start=$SECONDS
status=0
unshare --net --fork sh -c 'ip link set lo up && exec "$@"' _ \
    chroot "$root" /usr/bin/env -i HOME=/home/tester PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb bash -c 'cd /home/tester/merovane && scripts/test.sh' || status=$?
echo "fresh-root-test: scripts/test.sh took $((SECONDS - test_start)) s, exit status $status"
step "done"
if [ "$status" -eq 0 ]; then
    echo "fresh-root-test: PASSED"
else
    echo "fresh-root-test: FAILED"
fi
exit "$status"
