#!/usr/bin/env bash
# The private CUPS server of the printing tests: everything it reads and writes lies in one
# folder, it listens only on a socket in that folder, and nothing of the machine's CUPS (its
# configuration, its printers, its running server) is read or changed.
#   cups_server.sh start DIR   start cupsd on DIR/cups.sock with the queue "tav_pdf" as the
#                              default printer: a queue without a driver whose backend keeps
#                              each job's document as received (DIR/out/<job id>.pdf, the
#                              program's own PDF); writes DIR/env (CUPS_SERVER, CUPS_SERVERROOT)
#   cups_server.sh stop DIR    stop the server and remove DIR
set -euo pipefail

start() {
  local dir=$1
  mkdir -p "$dir"/{etc,spool,cache,state,tmp,log,out,bin/backend}
  # The server's programs are the machine's, but for the one backend of the queue.
  local part
  for part in cgi-bin daemon driver filter monitor notifier; do
    [ -e "/usr/lib/cups/$part" ] && ln -s "/usr/lib/cups/$part" "$dir/bin/$part"
  done
  cat >"$dir/bin/backend/tavpdf" <<'BACKEND'
#!/bin/sh
# Without arguments: the device it offers. Otherwise job id, user, title, copies, options, file.
[ $# -eq 0 ] && { echo 'file tavpdf "TAV" "TAV test printer"'; exit 0; }
out=${DEVICE_URI#tavpdf:}
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"$out/$1.pdf.part" && mv "$out/$1.pdf.part" "$out/$1.pdf"
BACKEND
  chmod 755 "$dir/bin/backend/tavpdf"
  # Filters and backends run as "lp": they write the spool's temporary files and the output.
  chmod 755 "$dir"
  chown lp "$dir/tmp" "$dir/out" 2>/dev/null || chmod 1777 "$dir/tmp" "$dir/out"
  cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
JobRetryLimit 0
MaxJobs 0
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin $dir/bin
Sandboxing Relaxed
CONF
  cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  local i
  for i in $(seq 1 100); do
    [ -S "$dir/cups.sock" ] && lpstat -h "$dir/cups.sock" -r >/dev/null 2>&1 && break
    kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
    sleep 0.1
  done
  if ! lpstat -h "$dir/cups.sock" -r >/dev/null 2>&1; then
    echo "cupsd did not start:" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    return 1
  fi
  # A queue without a driver passes the document on as it is: the PDF the program made.
  lpadmin -h "$dir/cups.sock" -p tav_pdf -E -v "tavpdf:$dir/out" 2>"$dir/log/lpadmin.out" || {
    cat "$dir/log/lpadmin.out" >&2
    return 1
  }
  lpadmin -h "$dir/cups.sock" -d tav_pdf
  # Clients read their settings (client.conf, lpoptions) from the server's folder, not /etc/cups.
  printf 'export CUPS_SERVER=%s CUPS_SERVERROOT=%s\n' "$dir/cups.sock" "$dir/etc" >"$dir/env"
}

stop() {
  local dir=$1 pid
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}

case "${1:-}" in
  start) start "$2" ;;
  stop) stop "$2" ;;
  *) echo "usage: cups_server.sh start|stop DIR" >&2; exit 2 ;;
esac
