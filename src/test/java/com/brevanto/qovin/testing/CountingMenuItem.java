package com.brevanto.qovin.testing;

import com.brevanto.qovin.menu.MenuItem;

/**
 * A menu item that counts its picks, and throws on them while failing is set;
 * its name throws while nameFailing is set.
 */
public final class CountingMenuItem extends MenuItem {
    private int picks;
    private boolean failing;
    private boolean nameFailing;

    public CountingMenuItem(String name) {
        super(name);
    }

    public void setFailing(boolean failing) {
        this.failing = failing;
    }

    public void setNameFailing(boolean nameFailing) {
        this.nameFailing = nameFailing;
    }

    @Override
    public String getName() {
        if (nameFailing) {
            throw new IllegalStateException("no name");
        }
        return super.getName();
    }

    public int picks() {
        return picks;
    }

    @Override
    public void actionPerformed() {
        picks++;
        if (failing) {
            throw new IllegalStateException("menu action failed: " + getName());
        }
    }
}
