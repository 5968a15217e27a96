# The measurements every host's renders must pass; sourced by the host scripts.
# Needs: $check (wavcheck.py), $skip and $frames (the compared span), $status (set to 1 on failure).

run() { python3 "$check" "$@" --skip "$skip" --end "$frames" || status=1; }

# check_renders HOST DIR: the renders a host made in DIR against its dry renders.
check_renders() {
  local host="$1" out="$2"
  run scaled "$host unity (Gain 0 dB, Dry 100 %, Wet 0 %)" "$out/dry-stereo.wav" "$out/unity.wav" --gain 0.9710078
  run wet "$host program 1 \"Clean Chorus\" against dry" "$out/dry-mono.wav" "$out/program.wav" --min 0.95 --max 0.99
  run spread "$host program 1 (Stereo 100 %) spreads a mono source" "$out/program.wav" --min 0.2
  run mono "$host Stereo 0 % with a mono source" "$out/mono.wav"
  run wet "$host Stereo 0 % still chorused" "$out/dry-mono.wav" "$out/mono.wav" --min 0.95 --max 0.99
  run scaled "$host bypass on (program 1 underneath)" "$out/dry-stereo.wav" "$out/bypass.wav" --gain 1
}
