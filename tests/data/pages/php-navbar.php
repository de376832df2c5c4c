<?php $base = '/site'; ?>
<table><tr><td><img src="images/spacer.gif" width="1" height="1" alt="" /></td>
<td><img src="images/spacer.gif" width="10" height="1" alt="" /></td>
<td><img src="nav.gif" usemap="#nav" border="0" alt="Navigation" /></td></tr></table>
<map name="nav">
  <area shape="rect" coords="0,0,40,20" href="<?php echo $base; ?>/index.php" onmouseover="showTip(3)" alt="Home" />
  <area shape="rect" coords="40,0,80,20" href="<?= $base ?>/news.php" onMouseOver="window.status='News'; return true" alt="News" />
  <?php if ($user): ?>
  <area shape="rect" coords="80,0,119,20" href="<?= $base ?>/account.php" alt="<?= htmlspecialchars($user) ?>" />
  <?php endif; ?>
</map>
