#!/usr/bin/env bash
# Fails every file-related system call of calpero-cli's five write commands (save, save --replace,
# erase, backup, restore) at every occurrence, one run each, with strace's fault injection (EIO,
# ENOSPC, EDQUOT and EINTR in turn), and kills the program at every occurrence once. After each
# run: the catalogue and the backup hold their old or their new text byte for byte; exit 0 only
# with the new text in place and no temporary left; a failure prints a reason; the target keeps
# its mode, group and ACL. Then the next writer of that file succeeds, leaves none of our files
# behind but the lock file, and the lock file gives the writers what they need again.
#
# Usage: strace_campaign.sh CALPERO_CLI [STRIDE]. STRIDE > 1 injects at every STRIDE-th occurrence
# of each call only (its first and last always), for a quick look. Exits 77 (skipped) where strace
# is missing or may not trace.
set -uo pipefail

cli=$(realpath "$1")
stride=${2:-1}

if ! command -v strace >/dev/null; then
  echo "strace is missing (scripts/install-dependencies.sh installs it)"
  exit 77
fi
if ! strace -f -qq -o /dev/null true 2>/dev/null; then
  echo "strace may not trace here"
  exit 77
fi
# LeakSanitizer cannot work under a tracer and would fail every run.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# A file system in memory where there is one: the runs sync their files many hundred times.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# The file-related calls, as far as this architecture has them.
calls=()
for call in openat open read pread64 write pwrite64 close newfstatat fstat lstat stat statx \
  fgetxattr fsetxattr getxattr lgetxattr fchmod fchown fcntl flock fsync fdatasync rename \
  renameat renameat2 link linkat unlink unlinkat faccessat faccessat2 access readlink \
  readlinkat getdents64 lseek ftruncate mkdir mkdirat; do
  strace -qq -o /dev/null -e trace="$call" true 2>/dev/null && calls+=("$call")
done
traced=$(
  IFS=,
  echo "${calls[*]}"
)

# The workspace every run starts from: folders and files that the group "users" (or the own group)
# may write, the catalogue and the backup with an ACL that names a user, and a lock file of the
# catalogue left with its maker's rights alone, as by a writer killed before it gave it the rest.
umask 077
group=$(id -gn)
if [[ $(id -u) -eq 0 ]] && getent group users >/dev/null; then
  group=users
fi
acl=no
mkdir -p template/Data template/Backup
printf '[UnitA]\nMass=1\nLength=2\nTemperature=0\nTime=-1\n[UnitB]\nMass=0.5\nLength=-1.5\n' \
  >template/Data/data.ini
printf '[Older]\nMass=3\n' >template/Backup/data.ini
: >template/Data/.data.ini.calpero-lock
chmod 0600 template/Data/.data.ini.calpero-lock
chmod 0770 template/Data template/Backup
chmod 0660 template/Data/data.ini template/Backup/data.ini
chgrp "$group" template/Data template/Backup template/Data/data.ini template/Backup/data.ini
if command -v setfacl >/dev/null &&
  setfacl -m u:nobody:rw- template/Data/data.ini template/Backup/data.ini 2>/dev/null; then
  acl=yes
else
  echo "note: no ACL checked (setfacl missing or the file system keeps no ACLs)"
fi

prepare() {
  rm -rf Data Backup
  cp -a template/Data template/Backup .
}

# What the files' access is: mode and group, and the ACL where checked.
access_of() {
  stat -c '%a %G' "$@"
  [[ $acl == yes ]] && getfacl -cpn "$@" 2>/dev/null
}

# The lock file in the folder $1 gives the writers read and write again: the group's, mode 0660 at
# least.
lock_file_fine() {
  local lock=$1/.data.ini.calpero-lock
  [[ -e $lock ]] || return 0
  [[ $(stat -c '%G' "$lock") == "$group" ]] && (((8#$(stat -c '%a' "$lock") & 8#660) == 8#660))
}

temporaries() {
  compgen -G 'Data/.data.ini.calpero-tmp-*' || true
  compgen -G 'Backup/.data.ini.calpero-tmp-*' || true
}

prepare
access_before=$(access_of Data/data.ini Backup/data.ini)

failures=0
runs=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# One write command: its name, the file it changes, the command that writes that file next, and
# its arguments.
campaign() {
  local what=$1 target=$2 next=$3
  shift 3
  local other=Backup/data.ini
  [[ $target == Backup/data.ini ]] && other=Data/data.ini

  prepare
  cp "$target" old.txt
  cp "$other" other.txt
  # The calls that the command makes on the workspace: those that name a path in it, and those
  # on a descriptor that such a call opened, until it is closed (not the start of the program,
  # loading its libraries, nor the sanitizers' own pipes). Each as its name and its occurrence
  # counted from the start, as strace's injection counts them.
  strace -f -qq -o trace.txt -e trace="$traced" "$cli" "$@" >/dev/null 2>err.txt ||
    {
      fail "$what: does not succeed untouched: $(cat err.txt)"
      return
    }
  cp "$target" new.txt
  cmp -s old.txt new.txt && fail "$what: changes nothing"
  local occurrences
  occurrences=$(awk -v stride="$stride" '
    {
      line = $0
      sub(/^[0-9]+ +/, "", line)
      name = line
      sub(/\(.*/, "", name)
      if (name !~ /^[a-z0-9_]+$/) next
      seen[name]++
      fd = line
      sub(/^[a-z0-9_]+\(/, "", fd)
      sub(/[,)].*/, "", fd)
      if (line !~ /"[^"]*(Data|Backup)/ && !(fd in ours)) next
      result = line
      sub(/.*\) += /, "", result)
      if (name == "openat" && result ~ /^[0-9]+/) ours[result + 0] = 1
      if (name == "close") delete ours[fd]
      if (!(name in from)) from[name] = seen[name]
      last[name] = seen[name]
      at[name, seen[name]] = 1
    }
    END {
      for (key in at) {
        split(key, part, SUBSEP)
        if ((part[2] - from[part[1]]) % stride == 0 || part[2] == last[part[1]]) print part[1], part[2]
      }
    }' trace.txt | sort -k1,1 -k2,2n)
  local errors=(EIO ENOSPC EDQUOT EINTR) turn=0 call when injection rc
  while read -r call when; do
    for injection in "error=${errors[turn % 4]}" signal=SIGKILL; do
      turn=$((turn + 1))
      runs=$((runs + 1))
      local where="$what, $call #$when $injection"
      prepare
      # In a subshell of its own, which reports a killed program to /dev/null, not here.
      (
        strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:$injection:when=$when" \
          "$cli" "$@" >/dev/null 2>err.txt
        exit $?
      ) 2>/dev/null
      rc=$?
      if cmp -s "$target" new.txt; then
        :
      elif cmp -s "$target" old.txt; then
        [[ $rc -ne 0 ]] || fail "$where: exit 0, but the change is not in the file"
      else
        fail "$where: $target is neither the old nor the new text"
      fi
      cmp -s "$other" other.txt || fail "$where: $other changed"
      if [[ $rc -ne 0 && $injection == error=* && ! -s err.txt ]]; then
        fail "$where: exit $rc without a reason"
      fi
      if [[ $rc -eq 0 && -n $(temporaries) ]]; then
        fail "$where: exit 0, but a temporary is left: $(temporaries)"
      fi
      [[ $(access_of Data/data.ini Backup/data.ini) == "$access_before" ]] ||
        fail "$where: the access changed: $(access_of Data/data.ini Backup/data.ini)"
      # The next writer of the file.
      if [[ $next == backup ]]; then
        "$cli" backup >/dev/null 2>err.txt || fail "$where: the next backup fails: $(cat err.txt)"
      else
        "$cli" save Probe 1 2 3 4 --replace >/dev/null 2>err.txt ||
          fail "$where: the next save fails: $(cat err.txt)"
      fi
      [[ -z $(temporaries) ]] || fail "$where: the next writer leaves $(temporaries)"
      [[ $(access_of Data/data.ini Backup/data.ini) == "$access_before" ]] ||
        fail "$where: after the next writer the access is $(access_of Data/data.ini Backup/data.ini)"
      lock_file_fine "${target%/*}" ||
        fail "$where: the lock file keeps the writers out: $(ls -l "${target%/*}"/.*lock 2>&1)"
    done
  done <<<"$occurrences"
  echo "$what: $(wc -l <<<"$occurrences") occurrences of $(cut -d' ' -f1 <<<"$occurrences" | sort -u | tr '\n' ' ')"
}

campaign "save" Data/data.ini save save New 1 0 0 0
campaign "save --replace" Data/data.ini save save UnitA 9 8 7 6 --replace
campaign "erase" Data/data.ini save erase UnitB
campaign "backup" Backup/data.ini backup backup
campaign "restore" Data/data.ini save restore

echo "$runs injected runs, $failures failures"
[[ $failures -eq 0 ]]
