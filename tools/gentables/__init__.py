"""Generators of huoxing's constant tables (run through tools/gentables.py)."""
