#!/bin/bash
# Several workstations on one shared folder, measured on real SMB and NFS mounts.
#
# Boots Debian's user-mode Linux kernel (a 6.1 kernel with the cifs and nfs clients, run as an
# ordinary process on the host's files through hostfs). Inside the guest, on its own loopback
# only, it starts a Samba server and an NFS server on a folder of guest memory, mounts each
# share twice (two workstations, separate caches and connections) and runs the program's own
# store from both mounts: 4 writers (2 per mount) × COUNT appends, with in-place rewrites.
# It then reads every record and reports lost, torn and doubled records and double holders
# of the lock, for SMB 3 cache=strict, SMB 3 cache=none and NFS 4.2. Mounts whose options let
# a client cache the archives or keep its locks to itself (SMB cache=loose, cache=singleclient,
# cache=ro, nobrl, vers=1.0; NFS 3 nolock, local_lock=flock) must open the archives
# read-only: the cards readable, every save refused and nothing written.
#
# Exits 0 only when every case passed: no record lost, torn or doubled, no double holder, no
# failed operation, and every unsafe mount read-only. Each case's line starts with PASS or FAIL.
#
# Usage: scripts/share-test.sh [BUILD_FOLDER [COUNT]]   (defaults: build, 300)
# SHARE_TEST_CASES=REGEX runs only the cases whose names match (then no count of cases is asked).
# Needs root for apt-get (the packages below) and nothing else of the host: no network
# device is given to the guest, and everything it starts ends with it.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
COUNT=${2:-300}
WORKER="$BUILD/tests/storage/share_worker"
if [ ! -x "$WORKER" ]; then
    echo "share-test: build the target share_worker first (cmake --build $BUILD --target share_worker)" >&2
    exit 2
fi

PACKAGES=(user-mode-linux samba cifs-utils nfs-kernel-server nfs-common rpcbind kmod iproute2)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

KERNEL_MODULES=$(ls -d /usr/lib/uml/modules/* | head -n 1)
WORK="$BUILD/share-test"
rm -rf "$WORK"
mkdir -p "$WORK/g" "$WORK/logs"
RESULT="$WORK/result.txt"
: >"$RESULT"

# The guest's first process. Every mount it makes is the guest's own: the host sees none.
cat >"$WORK/guest.sh" <<EOF
#!/bin/bash
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
G="$WORK/g"
RESULT="$RESULT"
WORKER="$WORKER"
COUNT=$COUNT
ONLY='${SHARE_TEST_CASES:-}'
LOGS="$WORK/logs"
KERNEL_MODULES=$(dirname "$KERNEL_MODULES")
EOF
cat >>"$WORK/guest.sh" <<'EOF'
say() { echo "$*" >>"$RESULT"; }
pass() { say "PASS $*"; }
fail() { say "FAIL $*"; }
exec 5>>"$RESULT.trace"
BASH_XTRACEFD=5
set -x
finish() {
    # Everything started here ends with the guest.
    umount -l "$G"/a "$G"/b 2>/dev/null || true
    sync
    echo o >/proc/sysrq-trigger 2>/dev/null
    exit 0
}
trap finish EXIT

mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev 2>/dev/null || true
mount -t tmpfs run /run
mount -t tmpfs state "$G"
mkdir -p /run/lock /var/lib/nfs
mount -t tmpfs nfsstate /var/lib/nfs
mkdir -p /var/lib/nfs/rpc_pipefs /var/lib/nfs/v4recovery
touch /var/lib/nfs/etab /var/lib/nfs/rmtab
# modprobe looks in ROOT/lib/modules/<release>.
mkdir -p "$G/modroot/lib/modules"
ln -s "$KERNEL_MODULES/$(uname -r)" "$G/modroot/lib/modules/$(uname -r)"
# The kernel loads what it asks for on its own (the crypto of SMB signing) through the same root.
printf '#!/bin/sh\nexec /usr/sbin/modprobe -d "%s" "$@"\n' "$G/modroot" >"$LOGS/modprobe"
chmod +x "$LOGS/modprobe"
echo "$LOGS/modprobe" >/proc/sys/kernel/modprobe
ip link set lo up
for m in cifs nfsd nfsv4 nfs cmac aes_generic sha256_generic sha512_generic md5 md4 hmac ecb ccm gcm des_generic; do modprobe -d "$G/modroot" "$m" || say "modprobe $m failed"; done
mount -t nfsd nfsd /proc/fs/nfsd || say "nfsd file system not mounted"
mount -t rpc_pipefs rpc_pipefs /var/lib/nfs/rpc_pipefs || true
hostname guest

mkdir -p "$G"/smb/{lock,state,cache,private,run,ncalrpc} "$G"/smbshare "$G"/nfsshare "$G"/a "$G"/b "$G"/xdg
chmod 0777 "$G"/smbshare "$G"/nfsshare
chmod 0700 "$G"/xdg
export XDG_RUNTIME_DIR="$G/xdg"
cat >"$G/smb.conf" <<CONF
[global]
    server role = standalone server
    interfaces = lo
    bind interfaces only = yes
    smb ports = 445
    disable netbios = yes
    # SMB 1 only for the read-only case of vers=1.0.
    server min protocol = NT1
    lock directory = $G/smb/lock
    state directory = $G/smb/state
    cache directory = $G/smb/cache
    private dir = $G/smb/private
    pid directory = $G/smb/run
    ncalrpc dir = $G/smb/ncalrpc
    passdb backend = tdbsam:$G/smb/private/passdb.tdb
    log file = $LOGS/log.%m
    load printers = no
    log level = 2
[dati]
    path = $G/smbshare
    read only = no
    force user = root
CONF

run_case() { # name mount-type source options
    local name=$1 type=$2 source=$3 options=$4
    [[ -z $ONLY || $name =~ $ONLY ]] || return 0
    if ! mount -t "$type" "$source" "$G/a" -o "$options" || ! mount -t "$type" "$source" "$G/b" -o "$options"; then
        fail "$name: the share could not be mounted"
        dmesg | tail -n 5 >>"$RESULT.trace"
        umount "$G/a" 2>/dev/null || true
        return
    fi
    rm -f "$G/a/Archivio_Anagrafico.fvd" "$G/a/Archivio_Anagrafico.fvd.dentro"
    wait_for_grace "$name" "$G/a"
    local pids=() failed=0 started=$SECONDS
    timeout 1200 "$WORKER" write "$G/a/Archivio_Anagrafico.fvd" "$COUNT" a1 >"$G/w-a1" 2>"$G/e-a1" & pids+=($!)
    timeout 1200 "$WORKER" write "$G/a/Archivio_Anagrafico.fvd" "$COUNT" a2 >"$G/w-a2" 2>"$G/e-a2" & pids+=($!)
    timeout 1200 "$WORKER" write "$G/b/Archivio_Anagrafico.fvd" "$COUNT" b1 >"$G/w-b1" 2>"$G/e-b1" & pids+=($!)
    timeout 1200 "$WORKER" write "$G/b/Archivio_Anagrafico.fvd" "$COUNT" b2 >"$G/w-b2" 2>"$G/e-b2" & pids+=($!)
    # A writer exits non-zero for a double holder or a failed operation.
    for p in "${pids[@]}"; do wait "$p" || failed=1; done
    local checked
    checked=$("$WORKER" check "$G/a/Archivio_Anagrafico.fvd" a1 a2 b1 b2 "$COUNT" 2>&1) || failed=1
    if [ "$failed" -eq 0 ]; then
        pass "$name: $checked ($((SECONDS - started)) s)"
    else
        fail "$name: $checked ($((SECONDS - started)) s)"
    fi
    for w in a1 a2 b1 b2; do
        say "  $(cat "$G/w-$w" 2>/dev/null)"
        head -n 3 "$G/e-$w" 2>/dev/null | sed 's/^/    /' >>"$RESULT" || true
    done
    umount "$G/a" "$G/b" || umount -l "$G/a" "$G/b" || true
}

# An NFS server refuses locks for its grace period after it starts (shortened below to 10 s):
# one lock taken and dropped before the writers start, so that the period costs them nothing.
wait_for_grace() { # name folder
    local started=$SECONDS
    if timeout 120 flock -x "$2/grace.probe" true; then
        [ $((SECONDS - started)) -lt 2 ] || say "  $1: the first lock came after $((SECONDS - started)) s"
    else
        say "  $1: no lock within 120 s"
    fi
    rm -f "$2/grace.probe"
}

# A mount that must open the archives read-only: a few cards written first (as a safe
# workstation would), then the program's own decision on this mount.
run_readonly_case() { # name mount-type source options
    local name="$1 (read-only)" type=$2 source=$3 options=$4
    [[ -z $ONLY || $name =~ $ONLY ]] || return 0
    if ! mount -t "$type" "$source" "$G/a" -o "$options"; then
        fail "$name: the share could not be mounted"
        dmesg | tail -n 5 >>"$RESULT.trace"
        return
    fi
    say "  $name: $(grep " $G/a " /proc/self/mountinfo | sed 's/.* - //')"
    rm -f "$G/a/Archivio_Anagrafico.fvd"
    # The writer retries through a lock server's grace period on its own.
    "$WORKER" write "$G/a/Archivio_Anagrafico.fvd" 3 seed >/dev/null 2>"$G/e-seed" ||
        say "  $name: the first cards: $(head -n 1 "$G/e-seed")"
    local outcome
    if outcome=$("$WORKER" readonly "$G/a/Archivio_Anagrafico.fvd" 2>&1); then
        pass "$name: $outcome"
    else
        fail "$name: $outcome"
    fi
    umount "$G/a" || umount -l "$G/a" || true
}

# The workstations sign in as the guest's root, with a password of the test.
printf 'folvara\nfolvara\n' | smbpasswd -c "$G/smb.conf" -s -a root >>"$LOGS/smbd.out" 2>&1
listening() { ss -ltn 2>/dev/null | grep -q ":$1 "; }
smbd --foreground --no-process-group -s "$G/smb.conf" >"$LOGS/smbd.out" 2>&1 &
SMBD=$!
for i in $(seq 1 100); do
    listening 445 && break
    sleep 0.2
done
if listening 445; then
    run_case "SMB 3.1.1 cache=strict" cifs //127.0.0.1/dati "username=root,password=folvara,vers=3.1.1,cache=strict,nosharesock"
    run_case "SMB 3.1.1 cache=none" cifs //127.0.0.1/dati "username=root,password=folvara,vers=3.1.1,cache=none,actimeo=0,nosharesock"
    SMB="username=root,password=folvara"
    run_readonly_case "SMB 3.1.1 cache=loose" cifs //127.0.0.1/dati "$SMB,vers=3.1.1,cache=loose"
    run_readonly_case "SMB 3.1.1 cache=singleclient" cifs //127.0.0.1/dati "$SMB,vers=3.1.1,cache=singleclient"
    run_readonly_case "SMB 3.1.1 cache=ro" cifs //127.0.0.1/dati "$SMB,vers=3.1.1,cache=ro"
    run_readonly_case "SMB 3.1.1 nobrl" cifs //127.0.0.1/dati "$SMB,vers=3.1.1,cache=strict,nobrl"
    run_readonly_case "SMB 1.0" cifs //127.0.0.1/dati "$SMB,vers=1.0"
    # SIGKILL: an smbd that ends by itself signals its whole process group, this shell included.
    kill -9 "$SMBD" 2>/dev/null || true
else
    say "SMB: smbd did not start"
fi

rpcbind -w 2>/dev/null || rpcbind 2>/dev/null || true
# The two mounts share one NFS client identity, so the server would hand that one client read
# delegations and never recall them when the other mount writes: with delegations, the lock
# is no point of coherence between them. Two real workstations are two clients, which the
# server does recall. Without leases the server grants no delegations.
echo 0 >/proc/sys/fs/leases-enable
echo 10 >/proc/fs/nfsd/nfsv4leasetime || say "NFS: the lease time stays as it is"
echo 10 >/proc/fs/nfsd/nfsv4gracetime || say "NFS: the grace period stays as it is"
# NFS 4 locks also wait for the lock manager's own grace period (50 s unless set).
echo 10 >/proc/sys/fs/nfs/nlm_grace_period || say "NFS: the lock manager's grace period stays as it is"
if exportfs -o rw,sync,no_root_squash,insecure,no_subtree_check,fsid=0 "127.0.0.1:$G/nfsshare" &&
    rpc.mountd --port 20048 && rpc.nfsd --port 2049 4; then
    run_case "NFS 4.2" nfs4 "127.0.0.1:/" "vers=4.2,nosharecache"
    run_readonly_case "NFS 3 nolock" nfs "127.0.0.1:$G/nfsshare" "vers=3,nolock"
    # NFS 3 locks sent to the server need the client's status monitor. (NFS 4 ignores local_lock.)
    mkdir -p /var/lib/nfs/sm /var/lib/nfs/sm.bak
    chown statd /var/lib/nfs/sm /var/lib/nfs/sm.bak 2>/dev/null || true
    rpc.statd --no-notify >"$LOGS/statd.out" 2>&1 || say "NFS 3: rpc.statd did not start: $(head -n 2 "$LOGS/statd.out")"
    run_readonly_case "NFS 3 local_lock=flock" nfs "127.0.0.1:$G/nfsshare" "vers=3,local_lock=flock"
    rpc.nfsd 0 || true
    pkill -x rpc.mountd 2>/dev/null || true
else
    say "NFS: the server did not start"
fi
EOF
chmod +x "$WORK/guest.sh"

echo "share-test: booting the guest (results in $RESULT)"
# UML keeps the guest's memory in a file of TMPDIR.
export TMPDIR=/dev/shm
timeout 3600 linux.uml mem=1024M rootfstype=hostfs rootflags=/ rw init="$WORK/guest.sh" \
    con=null con0=null,fd:2 ssl=null >"$WORK/console.log" 2>&1 </dev/null || true
cat "$RESULT"
# Three cases of several workstations and seven read-only ones, each passed.
EXPECTED=10
passed=$(grep -c '^PASS ' "$RESULT" || true)
failed=$(grep -c '^FAIL ' "$RESULT" || true)
echo "share-test: $passed passed, $failed failed"
if [ "$failed" -ne 0 ] || { [ -z "${SHARE_TEST_CASES:-}" ] && [ "$passed" -ne "$EXPECTED" ]; } ||
    [ "$passed" -eq 0 ]; then
    echo "share-test: see $RESULT, $RESULT.trace and $WORK/console.log" >&2
    exit 1
fi
