<?php
// Installs the WordPress site once and sets it up as an icon catalogue: date-based permalinks
// with the year and month, 30 posts a page, the Pictomine theme.
//   php setup.php WORDPRESS_DIR TITLE ADMIN_PASSWORD
// Run with WORDPRESS_CONFIG naming the site's configuration (Debian's wp-config.php reads it).
if ($argc !== 4) {
    fwrite(STDERR, "usage: php setup.php WORDPRESS_DIR TITLE ADMIN_PASSWORD\n");
    exit(2);
}
$_SERVER['WORDPRESS_CONFIG'] = getenv('WORDPRESS_CONFIG');
$_SERVER['HTTP_HOST'] = '127.0.0.1';
define('WP_INSTALLING', true);
require $argv[1] . '/wp-load.php';
require_once ABSPATH . 'wp-admin/includes/upgrade.php';

// No mail leaves the machine (the installer would announce the new site).
add_filter('pre_wp_mail', '__return_false');
if (!is_blog_installed()) {
    $installed = wp_install($argv[2], 'admin', 'admin@example.invalid', false, '', wp_slash($argv[3]));
    if (is_wp_error($installed) || empty($installed['user_id'])) {
        fwrite(STDERR, "setup.php: WordPress did not install\n");
        exit(1);
    }
}
update_option('permalink_structure', '/%year%/%monthnum%/%postname%/');
update_option('posts_per_page', 30);
update_option('uploads_use_yearmonth_folders', 1);
update_option('thumbnail_size_w', 150);
update_option('thumbnail_size_h', 150);
update_option('thumbnail_crop', 1);
update_option('default_pingback_flag', 0);
update_option('default_ping_status', 'closed');
update_option('default_comment_status', 'closed');
switch_theme('pictomine');
if (get_stylesheet() !== 'pictomine') {
    fwrite(STDERR, "setup.php: the pictomine theme was not found under " . get_theme_root() . "\n");
    exit(1);
}
flush_rewrite_rules(false);
// The sample post and page would list without a picture.
foreach (get_posts(['post_type' => ['post', 'page'], 'post_status' => 'any', 'numberposts' => -1,
                    'meta_query' => [['key' => '_thumbnail_id', 'compare' => 'NOT EXISTS']]]) as $post) {
    wp_delete_post($post->ID, true);
}
echo "setup.php: " . home_url('/') . " is set up\n";
