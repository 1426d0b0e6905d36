# Sourced by test.sh and run.sh: installs the Debian packages of
# scripts/packages.txt that are missing, when we may (root); quick when none is.
ensure_packages() {
  local list missing=()
  list=$(grep -v -e '^#' -e '^[[:space:]]*$' "$(dirname "${BASH_SOURCE[0]}")/packages.txt")
  for pkg in $list; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (install them as root): ${missing[*]}" >&2
    return 1
  fi
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
