# Sourced by the PulseAudio checks. Makes a scratch folder ($work) with runtime folders of its own,
# starts a private PulseAudio there with a null sink named tamboro_check as the default sink, and on
# exit stops what the check started (the recorder in $recorder, the busy loops in $busy, the server)
# and removes the folder. Fails loudly when PulseAudio cannot run here.

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home PULSE_RUNTIME_PATH=$work/runtime/pulse
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset PULSE_SERVER
recorder=""
server_pid=""
busy=()
cleanup() {
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$server_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# A private server: no configuration files, only the modules this check needs. Running as root
# needs no --system when the runtime folders are our own.
pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
  --load=module-native-protocol-unix --load="module-null-sink sink_name=tamboro_check rate=44100" \
  --log-target=file:"$work/pulse.log" &
server_pid=$!
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
if ! pactl info >/dev/null 2>&1; then
  echo "FAIL: PulseAudio could not be started in this environment:"
  tail -n 20 "$work/pulse.log" 2>/dev/null || true
  exit 1
fi
pactl set-default-sink tamboro_check
