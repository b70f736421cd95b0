"""Every module of this package that defines TARGET and generate() is a target.

generate() returns {path relative to the repository root: file text}.
"""

import importlib
import pkgutil

from . import __path__ as _package_path


def _discover():
    targets = {}
    for info in pkgutil.iter_modules(_package_path):
        module = importlib.import_module(f"{__package__}.{info.name}")
        name = getattr(module, "TARGET", None)
        if name:
            targets[name] = module.generate
    return targets


TARGETS = _discover()
